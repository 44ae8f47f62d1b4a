#pragma once

#include <QByteArrayView>
#include <QString>
#include <QVector>

// What a recipe reader needs from a saved web page: the structured data blocks and the plain text of the HTML
// fragments that sites put inside that data. The page is parsed with libxml2's HTML parser, which copes with
// the broken markup real pages hold.
namespace WebPageText {

struct DataBlock
{
    int line = 0; // line of the page where the block's script element starts
    int dataLine = 0; // line of the page where the data itself starts
    QString json;
};

// The contents of every <script type="application/ld+json"> element of the page, in page order, with HTML
// comment and CDATA wrappers around the data removed. The bytes are UTF-8. Never fails: a page that cannot be
// parsed gives no blocks; any depth of nesting is accepted.
QVector<DataBlock> ldJsonBlocks(QByteArrayView utf8Page);

// The text of an HTML fragment: character references decoded (named, decimal and hexadecimal; the numbers
// 128 to 159 read as Windows-1252, as browsers read them), tags and comments removed, line-breaking elements
// (br, p, div, li, headings, table rows) turned into line breaks. Text without "<" or "&" comes back unchanged.
QString plainText(const QString& html);

} // namespace WebPageText
