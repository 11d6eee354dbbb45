// Converts every document of a folder through ConvertDocument, one office instance per
// document as the program does, then the same files with LibreOffice's own batch command line
// in one call, and prints both speeds and their ratio. The documents are always copied into a
// temporary folder first, so nothing is written beside the documents themselves.

#include "AutomationError.h"
#include "ConvertDocument.h"
#include "OfficeEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QTextStream out(stdout);

// The test documents that LibreOffice is known to convert.
QStringList convertibleTestDocuments()
{
    const QDir documents(QStringLiteral(QUORVANE_DOCUMENTS_DIR));
    QFile provenance(documents.filePath(QStringLiteral("PROVENANCE.tsv")));
    QStringList paths;
    if (!provenance.open(QIODevice::ReadOnly | QIODevice::Text))
        return paths;
    provenance.readLine(); // header
    while (!provenance.atEnd()) {
        const QStringList fields = QString::fromUtf8(provenance.readLine()).split(QLatin1Char('\t'));
        if (fields.size() > 8 && fields.at(8).startsWith(QLatin1String("converts-ok")))
            paths << documents.filePath(fields.at(0));
    }
    return paths;
}

QStringList documentsIn(const QString &folder)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        if (!name.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive)
            && !name.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
            paths << dir.filePath(name);
    return paths;
}

QStringList copiedInto(const QString &folder, const QStringList &sources)
{
    QStringList copies;
    for (const QString &source : sources) {
        const QString copy = QDir(folder).filePath(QFileInfo(source).fileName());
        if (QFile::copy(source, copy)) {
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
            copies << copy;
        }
    }
    return copies;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Seconds for ConvertDocument over every document; per-document times in perDocument.
double timeConvertDocument(const QStringList &documents, std::int32_t format, std::vector<double> &perDocument)
{
    QElapsedTimer total;
    total.start();
    for (const QString &document : documents) {
        QElapsedTimer one;
        one.start();
        try {
            ConvertDocument(document, [format] { return format; });
        } catch (const AutomationError &error) {
            out << "  failed: " << QFileInfo(document).fileName() << ": " << error.number() << " "
                << error.description() << Qt::endl;
        }
        perDocument.push_back(one.nsecsElapsed() / 1e9);
    }
    return total.nsecsElapsed() / 1e9;
}

// Seconds for one soffice batch call over every document, with a profile of its own.
double timeBatchConversion(const QStringList &documents, const QString &outputFolder, const QString &profileFolder)
{
    QStringList arguments{QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profileFolder).toString(),
                          QStringLiteral("--headless"),
                          QStringLiteral("--convert-to"),
                          QStringLiteral("html"),
                          QStringLiteral("--outdir"),
                          outputFolder};
    arguments << documents;
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    soffice.start(QStringLiteral("soffice"), arguments);
    if (!soffice.waitForFinished(-1) || soffice.exitCode() != 0)
        out << "  soffice ended with exit code " << soffice.exitCode() << Qt::endl;
    soffice.readAllStandardOutput();
    return timer.nsecsElapsed() / 1e9;
}

int htmlFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files).size();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool filtered = arguments.removeAll(QStringLiteral("--filtered")) > 0;
    const std::int32_t format = filtered ? WordSaveFormat::FilteredHtml : WordSaveFormat::Html;
    const QStringList sources = arguments.isEmpty() ? convertibleTestDocuments() : documentsIn(arguments.first());

    QTemporaryDir work;
    const QString ours = work.filePath(QStringLiteral("convertdocument"));
    const QString batchInput = work.filePath(QStringLiteral("batch-input"));
    const QString batchOutput = work.filePath(QStringLiteral("batch-output"));
    for (const QString &folder : {ours, batchInput, batchOutput})
        QDir().mkpath(folder);
    const QStringList documents = copiedInto(ours, sources);
    if (documents.isEmpty()) {
        std::fprintf(stderr, "No documents to convert.\n");
        return 1;
    }
    RegisterOfficeEngine();

    out << "Documents: " << documents.size() << ", format " << format << Qt::endl;
    std::vector<double> perDocument;
    const double oursSeconds = timeConvertDocument(documents, format, perDocument);
    out << "ConvertDocument: " << oursSeconds << " s, " << documents.size() / oursSeconds << " documents/s, median "
        << median(perDocument) << " s per document, " << htmlFilesIn(ours) << " HTML files" << Qt::endl;

    const double batchSeconds = timeBatchConversion(copiedInto(batchInput, sources), batchOutput,
                                                    work.filePath(QStringLiteral("batch-profile")));
    out << "soffice --convert-to html (one call, fresh profile): " << batchSeconds << " s, "
        << documents.size() / batchSeconds << " documents/s, " << htmlFilesIn(batchOutput) << " HTML files" << Qt::endl;
    out << "Ratio (ConvertDocument time / batch time): " << oursSeconds / batchSeconds << Qt::endl;
    return 0;
}
