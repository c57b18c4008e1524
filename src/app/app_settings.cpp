#include "app/app_settings.h"

#include <QStringList>

#include "app/recent_tracks.h"

namespace {
const QString kRecentTracksKey = QStringLiteral("recentTracks");
const QString kDialogFolderKey = QStringLiteral("dialogFolder");
const QString kWindowGeometryKey = QStringLiteral("window/geometry");
} // namespace

AppSettings::AppSettings()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Blockyard"),
                QStringLiteral("Blockyard")) {}

std::vector<std::string> AppSettings::recentTracks() const {
    const QVariant value = settings_.value(kRecentTracksKey);
    std::vector<std::string> tracks;
    if (!value.canConvert<QStringList>())
        return tracks;
    // Built again through the list's own rules: an edited file may repeat or overfill it.
    const QStringList stored = value.toStringList();
    for (auto it = stored.crbegin(); it != stored.crend(); ++it)
        if (!it->isEmpty())
            tracks = withRecentTrack(std::move(tracks), it->toStdString());
    return tracks;
}

void AppSettings::setRecentTracks(const std::vector<std::string>& tracks) {
    QStringList stored;
    for (const std::string& track : tracks)
        stored.append(QString::fromStdString(track));
    settings_.setValue(kRecentTracksKey, stored);
}

QString AppSettings::dialogFolder() const {
    return settings_.value(kDialogFolderKey).toString();
}

void AppSettings::setDialogFolder(const QString& folder) {
    settings_.setValue(kDialogFolderKey, folder);
}

QByteArray AppSettings::windowGeometry() const {
    return settings_.value(kWindowGeometryKey).toByteArray();
}

void AppSettings::setWindowGeometry(const QByteArray& geometry) {
    settings_.setValue(kWindowGeometryKey, geometry);
}
