// Markdown text to a paged PDF document.
#pragma once

#include <QString>

namespace md2pdf {

struct options {
    QString font_family;   // body text; empty leaves the choice to the font configuration
    QString mono_family;   // code blocks and inline code
    QString title;         // document title in the PDF's properties; else the first heading
};

// Reads `input` (UTF-8 Markdown, GitHub dialect) and writes `output` as A4 pages with page
// numbers. On failure returns false and says why in `error`.
bool convert(const QString &input, const QString &output, const options &opt, QString *error);

} // namespace md2pdf
