#include "storage/FilterExpression.h"

#include "storage/Recordset.h"

struct FilterExpression::Node
{
    enum Kind { And, Or, Equal, NotEqual, Like };
    enum LikeKind { Exact, Prefix, Suffix, Contains };
    Kind kind = Equal;
    std::unique_ptr<Node> left;
    std::unique_ptr<Node> right;
    int field = -1;
    QString literal;
    LikeKind likeKind = Exact;

    bool eval(const QVector<QString>& values) const
    {
        switch (kind) {
        case And:
            return left->eval(values) && right->eval(values);
        case Or:
            return left->eval(values) || right->eval(values);
        case Equal:
            return QString::compare(values.at(field), literal, Qt::CaseInsensitive) == 0;
        case NotEqual:
            return QString::compare(values.at(field), literal, Qt::CaseInsensitive) != 0;
        case Like: {
            const QString& v = values.at(field);
            switch (likeKind) {
            case Exact:
                return QString::compare(v, literal, Qt::CaseInsensitive) == 0;
            case Prefix:
                return v.startsWith(literal, Qt::CaseInsensitive);
            case Suffix:
                return v.endsWith(literal, Qt::CaseInsensitive);
            case Contains:
                return v.contains(literal, Qt::CaseInsensitive);
            }
        }
        }
        return false;
    }
};

namespace {

class Parser
{
public:
    Parser(const QString& text, const FilterExpression::FieldResolver& resolver)
        : m_text(text)
        , m_resolver(resolver)
    {
    }

    std::unique_ptr<FilterExpression::Node> parseAll()
    {
        auto node = parseOr();
        skipSpace();
        if (m_pos < m_text.size())
            fail(QStringLiteral("unexpected text"));
        return node;
    }

private:
    using Node = FilterExpression::Node;

    [[noreturn]] void fail(const QString& what) const
    {
        throw RecordsetError(
            QStringLiteral("Malformed expression \"%1\": %2 at position %3").arg(m_text, what).arg(m_pos + 1));
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    // True and consumed when the next word is the keyword (followed by a blank, quote or parenthesis).
    bool acceptKeyword(const QString& keyword)
    {
        skipSpace();
        const int end = m_pos + keyword.size();
        if (end > m_text.size())
            return false;
        if (QStringView(m_text).mid(m_pos, keyword.size()).compare(keyword, Qt::CaseInsensitive) != 0)
            return false;
        if (end < m_text.size()) {
            const QChar next = m_text.at(end);
            if (!next.isSpace() && next != QLatin1Char('(') && next != QLatin1Char('\''))
                return false;
        }
        m_pos = end;
        return true;
    }

    std::unique_ptr<Node> combine(Node::Kind kind, std::unique_ptr<Node> left, std::unique_ptr<Node> right)
    {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->left = std::move(left);
        node->right = std::move(right);
        return node;
    }

    std::unique_ptr<Node> parseOr()
    {
        auto left = parseAnd();
        while (acceptKeyword(QStringLiteral("OR")))
            left = combine(Node::Or, std::move(left), parseAnd());
        return left;
    }

    std::unique_ptr<Node> parseAnd()
    {
        auto left = parseFactor();
        while (acceptKeyword(QStringLiteral("AND")))
            left = combine(Node::And, std::move(left), parseFactor());
        return left;
    }

    std::unique_ptr<Node> parseFactor()
    {
        skipSpace();
        if (m_pos >= m_text.size())
            fail(QStringLiteral("expected a comparison"));
        if (m_text.at(m_pos) == QLatin1Char('(')) {
            ++m_pos;
            auto inner = parseOr();
            skipSpace();
            if (m_pos >= m_text.size() || m_text.at(m_pos) != QLatin1Char(')'))
                fail(QStringLiteral("expected \")\""));
            ++m_pos;
            return inner;
        }
        return parseComparison();
    }

    std::unique_ptr<Node> parseComparison()
    {
        skipSpace();
        const int start = m_pos;
        while (m_pos < m_text.size() && (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == QLatin1Char('_')))
            ++m_pos;
        if (m_pos == start)
            fail(QStringLiteral("expected a field name"));
        const QString name = m_text.mid(start, m_pos - start);
        const int field = m_resolver(name);
        if (field < 0) {
            m_pos = start;
            fail(QStringLiteral("unknown field \"%1\"").arg(name));
        }

        auto node = std::make_unique<Node>();
        node->field = field;
        skipSpace();
        if (m_text.mid(m_pos, 2) == QLatin1String("<>")) {
            node->kind = Node::NotEqual;
            m_pos += 2;
        } else if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('=')) {
            node->kind = Node::Equal;
            ++m_pos;
        } else if (acceptKeyword(QStringLiteral("like"))) {
            node->kind = Node::Like;
        } else {
            fail(QStringLiteral("expected =, <> or like"));
        }
        node->literal = parseLiteral();
        if (node->kind == Node::Like) {
            QString& pat = node->literal;
            const bool lead = pat.startsWith(QLatin1Char('*'));
            const bool trail = pat.size() > (lead ? 1 : 0) && pat.endsWith(QLatin1Char('*'));
            if (lead)
                pat.remove(0, 1);
            if (trail)
                pat.chop(1);
            node->likeKind = lead && trail ? Node::Contains : lead ? Node::Suffix : trail ? Node::Prefix : Node::Exact;
        }
        return node;
    }

    QString parseLiteral()
    {
        skipSpace();
        if (m_pos >= m_text.size() || m_text.at(m_pos) != QLatin1Char('\''))
            fail(QStringLiteral("expected a quoted value"));
        ++m_pos;
        QString out;
        while (true) {
            if (m_pos >= m_text.size())
                fail(QStringLiteral("unterminated quoted value"));
            const QChar c = m_text.at(m_pos++);
            if (c == QLatin1Char('\'')) {
                if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('\'')) {
                    out += c;
                    ++m_pos;
                    continue;
                }
                return out;
            }
            out += c;
        }
    }

    const QString& m_text;
    const FilterExpression::FieldResolver& m_resolver;
    int m_pos = 0;
};

} // namespace

FilterExpression::~FilterExpression() = default;

std::unique_ptr<FilterExpression> FilterExpression::parse(const QString& text, const FieldResolver& resolver)
{
    std::unique_ptr<FilterExpression> expr(new FilterExpression);
    Parser parser(text, resolver);
    expr->m_root = parser.parseAll();
    const Node* root = expr->m_root.get();
    if (root->kind == Node::Equal || (root->kind == Node::Like && root->likeKind == Node::Exact)) {
        expr->m_eqField = root->field;
        expr->m_eqValue = root->literal.toCaseFolded();
    }
    return expr;
}

bool FilterExpression::matches(const QVector<QString>& values) const
{
    return m_root->eval(values);
}
