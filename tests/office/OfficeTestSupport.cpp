#include "office/OfficeTestSupport.h"

#include "convert/automation/ObjectRegistry.h"

#include <QDir>
#include <QFile>

#include <chrono>
#include <thread>


OfficeSettings TestOfficeSettings(const OfficeLimits &limits)
{
    OfficeSettings settings = DefaultOfficeSettings();
    settings.profileRoot = QStringLiteral(QUORVANE_TEST_PROFILE_ROOT);
    settings.limits = limits;
    settings.reuse.standby = false;
    return settings;
}

QString CopyCorpusDocument(const QString &name, const QString &folder, const QString &newName)
{
    const QString target = QDir(folder).filePath(newName.isEmpty() ? name : newName);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!QFile::copy(QStringLiteral(QUORVANE_CORPUS_DIR "/") + name, target))
        ADD_FAILURE() << "cannot copy the corpus document " << name.toStdString();
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QString PageBeside(const QString &document)
{
    const QFileInfo info(document);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".htm");
}

ObjectRef OpenDocument(const ObjectRef &word, const QString &path)
{
    return word->Invoke(QStringLiteral("Documents")).toObject()->Invoke(QStringLiteral("Open"), {path}).toObject();
}

void SaveAsWebPage(const ObjectRef &document, const QString &fileName, int format)
{
    document->Invoke(QStringLiteral("SaveAs"), {},
                     {{QStringLiteral("FileName"), fileName},
                      {QStringLiteral("FileFormat"), format},
                      {QStringLiteral("LockComments"), Variant::fromBool(false)},
                      {QStringLiteral("Password"), QString()},
                      {QStringLiteral("AddToRecentFiles"), Variant::fromBool(true)},
                      {QStringLiteral("WritePassword"), QString()},
                      {QStringLiteral("ReadOnlyRecommended"), Variant::fromBool(false)},
                      {QStringLiteral("EmbedTrueTypeFonts"), Variant::fromBool(false)},
                      {QStringLiteral("SaveNativePictureFormat"), Variant::fromBool(false)},
                      {QStringLiteral("SaveFormsData"), Variant::fromBool(false)},
                      {QStringLiteral("SaveAsAOCELetter"), Variant::fromBool(false)}});
}

void ConvertWithWord(const QString &path, const QString &output, int format)
{
    const ObjectRef word = CreateObject(QStringLiteral("Word.Application"));
    SaveAsWebPage(OpenDocument(word, path), output, format);
    word->Invoke(QStringLiteral("Quit"));
}

QString ReadText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

AutomationError ErrorOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const AutomationError &error) {
        return error;
    }
    ADD_FAILURE() << "no AutomationError was thrown";
    return AutomationError(0, QString());
}

bool EndsSoon(qint64 pid)
{
    const auto running = [pid] {
        const QString state = ReadText(QStringLiteral("/proc/%1/stat").arg(pid));
        return !state.isEmpty() && !state.contains(QStringLiteral(") Z "));
    };
    for (int wait = 0; wait < 150 && running(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return !running();
}
