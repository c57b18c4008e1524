#pragma once

#include <string>
#include <vector>

#include <QByteArray>
#include <QSettings>
#include <QString>

// What the program remembers between sessions, in the user's settings file (INI format). A
// missing or damaged file, or a value of the wrong kind, reads as the default.
class AppSettings {
  public:
    AppSettings();

    std::vector<std::string> recentTracks() const;
    void setRecentTracks(const std::vector<std::string>& tracks);
    // The folder the open and save dialogs start in; empty for the working folder.
    QString dialogFolder() const;
    void setDialogFolder(const QString& folder);
    // The main window's size, position and maximised state, as the window saves them.
    QByteArray windowGeometry() const;
    void setWindowGeometry(const QByteArray& geometry);

  private:
    mutable QSettings settings_;
};
