// Turns the user manual, written in Markdown, into the Help.pdf that Help > "PDF Manual" opens.
// Runs at build time without a display.
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <cstdio>

namespace {

int fail(const QString& why) {
    std::fprintf(stderr, "manual_pdf: %s\n", qPrintable(why));
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // Only fonts are needed, never a screen: the build may run where no display exists.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Builds often run without a session; a private runtime folder keeps Qt from warning.
    QTemporaryDir runtimeFolder;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeFolder.isValid()) {
        QFile::setPermissions(runtimeFolder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
    }
    QGuiApplication application(argc, argv);
    if (argc != 3)
        return fail("usage: manual_pdf MANUAL.md OUTPUT.pdf");
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);

    QFile markdown(source);
    if (!markdown.open(QIODevice::ReadOnly))
        return fail("cannot read " + source + ": " + markdown.errorString());
    const QString text = QString::fromUtf8(markdown.readAll());
    if (text.trimmed().isEmpty())
        return fail(source + " is empty");

    QTextDocument document;
    QFont font("DejaVu Sans", 10);
    // Without ligatures, text copied out of the PDF (or searched in it) reads "file", not "ﬁle".
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    // Pictures are named relative to the manual's own folder.
    document.setMetaInformation(
        QTextDocument::DocumentUrl,
        QUrl::fromLocalFile(QFileInfo(source).absoluteFilePath()).toString());
    document.setMarkdown(text);

    // Written to a temporary file and renamed: a failed build never leaves half a manual.
    QSaveFile output(target);
    if (!output.open(QIODevice::WriteOnly))
        return fail("cannot write " + target + ": " + output.errorString());
    {
        QPdfWriter writer(&output);
        writer.setTitle("Tinctora 1.1 User Manual");
        writer.setCreator("Tinctora");
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
        document.print(&writer);
    }
    if (!output.commit())
        return fail("cannot write " + target + ": " + output.errorString());
    return 0;
}
