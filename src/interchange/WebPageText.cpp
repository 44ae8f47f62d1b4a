#include "interchange/WebPageText.h"

#include "storage/Cp1252.h"

#include <QRegularExpression>
#include <QStringList>

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <limits>
#include <memory>

namespace {

struct DocFree
{
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

const xmlChar* xml(const char* text)
{
    return reinterpret_cast<const xmlChar*>(text);
}

bool isLdJsonScript(const xmlNode* node)
{
    if (node->type != XML_ELEMENT_NODE || xmlStrcasecmp(node->name, xml("script")) != 0)
        return false;
    xmlChar* type = xmlGetProp(node, xml("type"));
    if (!type)
        return false;
    // "application/ld+json", also with parameters ("; charset=utf-8") or in capitals.
    const QString value = QString::fromUtf8(reinterpret_cast<const char*>(type)).trimmed().toLower();
    xmlFree(type);
    return value == QLatin1String("application/ld+json") || value.startsWith(QLatin1String("application/ld+json;"));
}

// Sites wrap script data in "<!-- ... -->" or "//<![CDATA[ ... //]]>" for old browsers. skippedLines counts the
// line breaks before the data.
QString unwrap(const QString& text, int* skippedLines)
{
    static const QRegularExpression head(QStringLiteral("^\\s*(?:<!--|(?://\\s*)?<!\\[CDATA\\[)?\\s*"));
    static const QRegularExpression tail(QStringLiteral("(?:-->|(?://\\s*)?\\]\\]>)$"));
    const qsizetype start = head.match(text).capturedEnd();
    *skippedLines = static_cast<int>(QStringView(text).left(start).count(QLatin1Char('\n')));
    QString data = text.mid(start).trimmed();
    data.remove(tail);
    return data.trimmed();
}

QString entityText(const QString& name)
{
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name.at(1) == QLatin1Char('x') || name.at(1) == QLatin1Char('X'));
        const uint code = hex ? name.mid(2).toUInt(&ok, 16) : name.mid(1).toUInt(&ok, 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return QString();
        if (code >= 0x80 && code <= 0x9F) {
            const char byte = static_cast<char>(code);
            return Cp1252::decode(QByteArrayView(&byte, 1));
        }
        const char32_t c = code;
        return QString::fromUcs4(&c, 1);
    }
    const QByteArray latin = name.toLatin1();
    const htmlEntityDesc* entity = htmlEntityLookup(reinterpret_cast<const xmlChar*>(latin.constData()));
    if (!entity)
        return QLatin1Char('&') + name + QLatin1Char(';');
    const char32_t c = entity->value;
    return QString::fromUcs4(&c, 1);
}

// The text with every match of pattern replaced by what replacement makes of it.
template <typename Replacement>
QString replaceMatches(const QString& text, const QRegularExpression& pattern, Replacement replacement)
{
    QString out;
    out.reserve(text.size());
    qsizetype last = 0;
    auto it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += replacement(m);
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

QString decodeReferences(const QString& text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    static const QRegularExpression reference(
        QStringLiteral("&(#[0-9]{1,8}|#[xX][0-9a-fA-F]{1,6}|[A-Za-z][A-Za-z0-9]{1,31});"));
    return replaceMatches(text, reference, [](const QRegularExpressionMatch& m) { return entityText(m.captured(1)); });
}

QString removeTags(const QString& text)
{
    if (!text.contains(QLatin1Char('<')))
        return text;
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<(/?)([A-Za-z][A-Za-z0-9]*)(?:\\s[^>]*)?/?>"));
    static const QStringList breaking { "br", "p", "div", "li", "ol", "ul", "tr", "h1", "h2", "h3", "h4", "h5", "h6" };
    QString stripped = text;
    stripped.remove(comment);
    return replaceMatches(stripped, tag, [](const QRegularExpressionMatch& m) {
        return breaking.contains(m.captured(2).toLower()) ? QStringLiteral("\n") : QString();
    });
}

} // namespace

namespace WebPageText {

QVector<DataBlock> ldJsonBlocks(QByteArrayView utf8Page)
{
    QVector<DataBlock> blocks;
    if (utf8Page.isEmpty() || utf8Page.size() > std::numeric_limits<int>::max())
        return blocks;
    xmlInitParser();
    // Recovery keeps a JSON string holding "</p>" inside the script; HUGE lifts the nesting limit, so data after
    // hundreds of unclosed elements is still found.
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET
        | HTML_PARSE_NOIMPLIED | XML_PARSE_HUGE;
    const std::unique_ptr<xmlDoc, DocFree> doc(
        htmlReadMemory(utf8Page.data(), static_cast<int>(utf8Page.size()), nullptr, "UTF-8", options));
    if (!doc)
        return blocks;
    // Walk the tree without recursion: pages may nest elements arbitrarily deep.
    xmlNode* node = doc->children;
    while (node) {
        if (isLdJsonScript(node)) {
            xmlChar* content = xmlNodeGetContent(node);
            const QString text = content ? QString::fromUtf8(reinterpret_cast<const char*>(content)) : QString();
            xmlFree(content);
            int skippedLines = 0;
            const QString data = unwrap(text, &skippedLines);
            const int line = static_cast<int>(xmlGetLineNo(node));
            blocks.append({ line, line + skippedLines, data });
        } else if (node->type == XML_ELEMENT_NODE && node->children) {
            node = node->children;
            continue;
        }
        while (node && !node->next)
            node = node->parent == reinterpret_cast<xmlNode*>(doc.get()) ? nullptr : node->parent;
        if (node)
            node = node->next;
    }
    return blocks;
}

QString plainText(const QString& html)
{
    if (!html.contains(QLatin1Char('<')) && !html.contains(QLatin1Char('&')))
        return html;
    // Sites escape their markup once or twice; "&lt;p&gt;" and "&amp;amp;" are both met.
    return decodeReferences(removeTags(decodeReferences(html)));
}

} // namespace WebPageText
