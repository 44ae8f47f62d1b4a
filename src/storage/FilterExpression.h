#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

// A parsed filter or find expression:
//   expr   := term ( "OR" term )*
//   term   := factor ( "AND" factor )*
//   factor := "(" expr ")" | field op literal
//   op     := "=" | "<>" | "like"
//   literal:= single-quoted text, '' stands for one quote
// Keywords and comparisons ignore letter case. A like pattern may start and/or end with "*".
class FilterExpression
{
public:
    // One field's value as a comparison sees it: the text itself, or (when text is null) the value's
    // Windows-1252 bytes with the file's escapes already undone. Both compare alike.
    struct FieldValue
    {
        const QString* text = nullptr;
        QByteArrayView bytes;
    };
    // The values of one record, field by field. A returned value need only stay valid until the next call.
    class FieldValues
    {
    public:
        virtual ~FieldValues() = default;
        virtual FieldValue field(int index) const = 0;
    };

    // Resolves a field name to its index, or -1 when unknown.
    using FieldResolver = std::function<int(const QString&)>;

    // Parses text; throws RecordsetError with the position of the fault when malformed or when a field
    // is unknown. An empty or blank text is not an expression and throws as well.
    static std::unique_ptr<FilterExpression> parse(const QString& text, const FieldResolver& resolver);
    ~FilterExpression();

    bool matches(const FieldValues& values) const;
    bool matches(const QVector<QString>& values) const;

    // For a single equality comparison ("F = 'x'", or "F like 'x'" without "*"), the field index and the
    // case-folded value; field -1 otherwise. Lets a recordset answer it from an index.
    int equalityField() const { return m_eqField; }
    QString equalityValue() const { return m_eqValue; }

    struct Node;

private:
    FilterExpression() = default;
    std::unique_ptr<Node> m_root;
    int m_eqField = -1;
    QString m_eqValue;
};
