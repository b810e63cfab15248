// The conversion: Markdown into a text document, fonts and spacing for print, then the pages.
#include "md2pdf.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace md2pdf {

namespace {

// Any letter spacing at all turns ligatures off: "fi" must stay two letters so that the text
// taken back out of the PDF still reads "field_of".
constexpr qreal no_ligatures = 0.05;

// The platform's "fixed font" may be a proportional face when no display is there.
QString fixed_pitch_family()
{
    QFont f(QStringLiteral("monospace"));
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
    return QFontInfo(f).family();
}

QString first_heading(const QString &markdown)
{
    static const QRegularExpression re(QStringLiteral("^#\\s+(.+)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = re.match(markdown);
    return m.hasMatch() ? m.captured(1).trimmed() : QString();
}

// Headings get air above them and code blocks a tint, which the bare Markdown import lacks.
void dress(QTextDocument &doc, const options &opt)
{
    const QString mono = opt.mono_family.isEmpty() ? fixed_pitch_family() : opt.mono_family;
    QTextCursor cur(&doc);
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QTextBlockFormat bf = b.blockFormat();
        const int level = bf.headingLevel();
        cur.setPosition(b.position());
        if (level > 0) {
            bf.setTopMargin(level == 1 ? 0 : 14);
            bf.setBottomMargin(6);
            if (level == 1)
                bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cur.setBlockFormat(bf);
        } else if (bf.hasProperty(QTextFormat::BlockCodeFence) || bf.nonBreakableLines()) {
            bf.setBackground(QColor(240, 242, 245));
            bf.setLeftMargin(bf.leftMargin() + 8);
            cur.setBlockFormat(bf);
        }
        {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextFragment f = it.fragment();
                QTextCharFormat cf = f.charFormat();
                // The import marks code, inline or fenced, by naming a font family.
                if (cf.hasProperty(QTextFormat::FontFamilies) || !cf.fontFamily().isEmpty()) {
                    QTextCursor sel(&doc);
                    sel.setPosition(f.position());
                    sel.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
                    cf.setFontFamily(mono);
                    cf.setFontFamilies({mono});
                    cf.setFontLetterSpacingType(QFont::AbsoluteSpacing);
                    cf.setFontLetterSpacing(no_ligatures);
                    sel.setCharFormat(cf);
                }
            }
        }
    }
    // Tables: single thin rules and some air in the cells instead of the import's bare grid.
    for (QTextFrame *frame : doc.rootFrame()->childFrames()) {
        auto *table = qobject_cast<QTextTable *>(frame);
        if (!table)
            continue;
        QTextTableFormat tf = table->format();
        tf.setBorderCollapse(true);
        tf.setBorder(2); // device pixels at 300 dpi: a hairline on paper
        tf.setBorderBrush(QColor(150, 155, 160));
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setCellSpacing(0);
        tf.setCellPadding(4);
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        table->setFormat(tf);
    }
    // The manual starts on its first page, not after an empty one.
    QTextBlock first = doc.begin();
    QTextBlockFormat ff = first.blockFormat();
    ff.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
    cur.setPosition(first.position());
    cur.setBlockFormat(ff);
}

} // namespace

bool convert(const QString &input, const QString &output, const options &opt, QString *error)
{
    QFile in(input);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(input, in.errorString());
        return false;
    }
    const QString markdown = QString::fromUtf8(in.readAll());
    in.close();

    QTextDocument doc;
    QFont base = doc.defaultFont();
    if (!opt.font_family.isEmpty())
        base.setFamily(opt.font_family);
    base.setPointSizeF(10.5);
    base.setLetterSpacing(QFont::AbsoluteSpacing, no_ligatures);
    doc.setDefaultFont(base);
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    dress(doc, opt);

    QPdfWriter writer(output);
    const QString title = opt.title.isEmpty() ? first_heading(markdown) : opt.title;
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("md2pdf"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                     QPageLayout::Millimeter));
    // print() lays the document out on the writer's pages and numbers them.
    doc.print(&writer);
    if (!QFileInfo(output).isFile() || QFileInfo(output).size() == 0) {
        *error = QStringLiteral("cannot write %1").arg(output);
        return false;
    }
    return true;
}

} // namespace md2pdf
