#include "cli/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "cli/CliError.h"
#include "presets/PresetFile.h"

namespace sonavel::cli {

std::string ReadTextFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    if (QFileInfo(name).isDir()) throw CliError(path + ": is a folder");
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw CliError(path + ": cannot open: " + file.errorString().toStdString());
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CliError(path + ": cannot read: " + file.errorString().toStdString());
    return data.toStdString();
}

void WriteWholeFile(const std::string& path, const QByteArray& data) {
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        throw CliError(path + ": cannot create: " + file.errorString().toStdString());
    if (file.write(data) != data.size() || !file.commit())
        throw CliError(path + ": cannot write: " + file.errorString().toStdString());
}

PresetRecord ReadRecord(const std::string& path, int recordNumber) {
    Outcome<PresetRecord> read = ReadPresetRecord(path, recordNumber);
    if (!read.ok()) throw CliError(read.error());
    return read.value();
}

}  // namespace sonavel::cli
