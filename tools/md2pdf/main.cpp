// Build-time tool: turns a Markdown manual into a PDF file with the toolkit's text document
// and PDF writer, without a display.
//
//   md2pdf [--font FAMILY] [--mono FAMILY] [--title TEXT] INPUT.md OUTPUT.pdf
#include "md2pdf.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: md2pdf [--font FAMILY] [--mono FAMILY] [--title TEXT] INPUT.md OUTPUT.pdf\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    // A build machine has no display; the offscreen platform still gives real fonts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    md2pdf::options opt;
    QStringList files;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--font") || a == QLatin1String("--mono") || a == QLatin1String("--title")) {
            if (i + 1 >= args.size())
                return usage();
            const QString v = args[++i];
            if (a == QLatin1String("--font"))
                opt.font_family = v;
            else if (a == QLatin1String("--mono"))
                opt.mono_family = v;
            else
                opt.title = v;
        } else if (a.startsWith(QLatin1String("--"))) {
            return usage();
        } else {
            files << a;
        }
    }
    if (files.size() != 2)
        return usage();

    QString error;
    if (!md2pdf::convert(files[0], files[1], opt, &error)) {
        std::fprintf(stderr, "md2pdf: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
