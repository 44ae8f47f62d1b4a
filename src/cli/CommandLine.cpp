#include "cli/CommandLine.h"

#include <QFileInfo>

const QList<CliOption>& CommandLine::searchOptions()
{
    static const QList<CliOption> options {
        { { "name" }, "T", "recipes whose name holds T" },
        { { "category" }, "T", "in category T (give it twice for a second category)" },
        { { "category2" }, "T", "also in category T" },
        { { "ingredient" }, "T", "with an ingredient line holding T" },
        { { "instructions", "instruction" }, "T", "whose instructions hold T" },
        { { "source" }, "T", "whose source holds T" },
        { { "rating" }, "T", "whose rating holds T" },
        { { "or" }, QString(), "match any one of the texts given rather than all" },
    };
    return options;
}

QString CommandLine::usage(const CliCommandInfo& info)
{
    QString text = QStringLiteral("zestora ") + QLatin1String(info.name);
    if (*info.arguments)
        text += QLatin1Char(' ') + QLatin1String(info.arguments);
    for (const CliOption& o : info.options)
        text += QStringLiteral(" [--") + o.names.first()
            + (o.valueName.isEmpty() ? QString() : QLatin1Char(' ') + o.valueName) + QLatin1Char(']');
    if (info.search)
        text += QStringLiteral(" [SEARCH OPTIONS]");
    return text;
}

CommandLine::CommandLine(const CliCommandInfo& info, QTextStream& err)
    : m_info(info)
    , m_err(err)
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    auto add
        = [this](const CliOption& o) { m_parser.addOption(QCommandLineOption(o.names, o.description, o.valueName)); };
    for (const CliOption& o : info.options)
        add(o);
    if (info.search) {
        for (const CliOption& o : searchOptions())
            add(o);
    }
}

int CommandLine::parse(const QStringList& args)
{
    if (!m_parser.parse(QStringList { QStringLiteral("zestora") } + args))
        return usageError(m_parser.errorText());
    m_args = m_parser.positionalArguments();
    if (m_args.size() < m_info.minArgs || m_args.size() > m_info.maxArgs)
        return usageError(QStringLiteral("wrong number of arguments"));
    if (m_info.search && values(QStringLiteral("category")).size() + values(QStringLiteral("category2")).size() > 2)
        return usageError(QStringLiteral("at most two categories"));
    if (m_info.dataFolder && !QFileInfo(m_args.first()).isDir())
        return fail(CliStatus::Failed, QStringLiteral("no data folder ") + m_args.first());
    return CliStatus::Done;
}

SearchCriteria CommandLine::criteria() const
{
    SearchCriteria c;
    const QStringList categories = values(QStringLiteral("category")) + values(QStringLiteral("category2"));
    c.name = value(QStringLiteral("name"));
    c.category1 = categories.value(0);
    c.category2 = categories.value(1);
    c.ingredient = value(QStringLiteral("ingredient"));
    c.instructions = value(QStringLiteral("instructions"));
    c.source = value(QStringLiteral("source"));
    c.rating = value(QStringLiteral("rating"));
    c.combine = isSet(QStringLiteral("or")) ? SearchCriteria::Combine::Or : SearchCriteria::Combine::And;
    return c;
}

int CommandLine::fail(int status, const QString& text) const
{
    m_err << "zestora " << m_info.name << ": " << text << "\n";
    return status;
}

int CommandLine::usageError(const QString& text) const
{
    fail(CliStatus::Failed, text);
    m_err << "usage: " << usage(m_info) << "\n";
    return CliStatus::Failed;
}
