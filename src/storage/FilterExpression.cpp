#include "storage/FilterExpression.h"

#include "storage/Cp1252.h"
#include "storage/Recordset.h"

#include <string>

namespace {

// Compares bytes with folded text, one folded character per byte.
bool sameFolded(const char* bytes, const char16_t* folded, qsizetype n, const char16_t* fold)
{
    for (qsizetype i = 0; i < n; ++i) {
        if (fold[static_cast<unsigned char>(bytes[i])] != folded[i])
            return false;
    }
    return true;
}

} // namespace

struct FilterExpression::Node
{
    enum Kind { And, Or, Equal, NotEqual, Like };
    enum LikeKind { Exact, Prefix, Suffix, Contains };
    Kind kind = Equal;
    std::unique_ptr<Node> left;
    std::unique_ptr<Node> right;
    int field = -1;
    QString literal;
    // The literal case-folded character by character, for comparing with bytes.
    std::u16string folded;
    LikeKind likeKind = Exact;

    bool eval(const FieldValues& values) const
    {
        switch (kind) {
        case And:
            return left->eval(values) && right->eval(values);
        case Or:
            return left->eval(values) || right->eval(values);
        case Equal:
        case NotEqual:
        case Like: {
            const FieldValue v = values.field(field);
            const bool hit = v.text ? compareText(*v.text) : compareBytes(v.bytes);
            return kind == NotEqual ? !hit : hit;
        }
        }
        return false;
    }

    // Whether the value matches (for NotEqual: equals).
    bool compareText(const QString& v) const
    {
        switch (kind == Like ? likeKind : Exact) {
        case Exact:
            return QString::compare(v, literal, Qt::CaseInsensitive) == 0;
        case Prefix:
            return v.startsWith(literal, Qt::CaseInsensitive);
        case Suffix:
            return v.endsWith(literal, Qt::CaseInsensitive);
        case Contains:
            return v.contains(literal, Qt::CaseInsensitive);
        }
        return false;
    }

    bool compareBytes(QByteArrayView v) const
    {
        static const char16_t* const fold = Cp1252::foldTable();
        const qsizetype n = v.size();
        const qsizetype m = static_cast<qsizetype>(folded.size());
        const char16_t* lit = folded.data();
        const char* b = v.data();
        switch (kind == Like ? likeKind : Exact) {
        case Exact:
            return n == m && sameFolded(b, lit, m, fold);
        case Prefix:
            return n >= m && sameFolded(b, lit, m, fold);
        case Suffix:
            return n >= m && sameFolded(b + n - m, lit, m, fold);
        case Contains: {
            if (m == 0)
                return true;
            const char16_t first = lit[0];
            for (qsizetype i = 0; i + m <= n; ++i) {
                if (fold[static_cast<unsigned char>(b[i])] == first && sameFolded(b + i + 1, lit + 1, m - 1, fold))
                    return true;
            }
            return false;
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
        node->folded.reserve(static_cast<size_t>(node->literal.size()));
        for (const QChar c : node->literal)
            node->folded.push_back(c.toCaseFolded().unicode());
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

bool FilterExpression::matches(const FieldValues& values) const
{
    return m_root->eval(values);
}

bool FilterExpression::matches(const QVector<QString>& values) const
{
    struct Texts : FieldValues
    {
        const QVector<QString>& values;
        explicit Texts(const QVector<QString>& v)
            : values(v)
        {
        }
        FieldValue field(int index) const override { return { &values.at(index), {} }; }
    };
    return m_root->eval(Texts(values));
}
