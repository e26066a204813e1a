// SPDX-License-Identifier: MIT
#pragma once

#include "http_client.h"

#include <QString>
#include <QThread>

#include <functional>
#include <memory>

namespace urdiva::ui {

class Dialogs;
class UpdateNotice;

// Whether the window checks for a newer release when it starts: not in a build made without
// the check (URDIVA_UPDATE_CHECK=OFF), nor when URDIVA_NO_UPDATE_CHECK is 1, as distributions
// that turn off phoning home set it.
bool updateCheckEnabled();

// The update server: URDIVA_UPDATE_HOST (a host, optionally with ":port") when set, otherwise
// the maker's server.
QString updateServerHost();

// Whether the address answers with status 200 or 302; "http://" is put in front when the
// address holds it nowhere.
bool answersOk(const QString& url, const HttpClient& http);

// What the update server said: nothing (it cannot be reached, or has no release page), the
// release date and download count as texts, or the text of the failure that stopped the check.
struct UpdateAnswer {
    bool answered = false;
    QString release;
    QString count;
    QString failure;
};

// The start-up check: when the server's latest release is dated after the day the program's
// file was last written, the notice says so. Silent when the server cannot be reached; any later
// failure is raised as RunError.
class UpdateCheck {
public:
    UpdateCheck(UpdateNotice& notice, Dialogs& dialogs, QString host, QString executablePath,
                HttpClient http = HttpClient());

    // The network steps alone, on any thread: each ends within the client's bounds, and at once
    // when the thread is asked to stop.
    UpdateAnswer fetch() const;
    // On the window's thread: the notice when the release is newer; a failure raised as RunError.
    void present(const UpdateAnswer& answer);
    void checkForUpdate() { present(fetch()); }

private:
    UpdateNotice& m_notice;
    Dialogs& m_dialogs;
    QString m_host;
    QString m_executable;
    HttpClient m_http;
};

// The start-up check off the window's thread, so that a slow or silent server never freezes the
// window: the network steps run on a thread of their own, and their outcome is presented on the
// thread that made this object through `report` (which shows a failure in the error box).
// Destroying it stops the network steps at once, waits for the thread, and drops an outcome not
// yet presented.
class BackgroundUpdateCheck {
public:
    BackgroundUpdateCheck(UpdateCheck check,
                          std::function<void(const std::function<void()>&)> report);
    ~BackgroundUpdateCheck();
    BackgroundUpdateCheck(const BackgroundUpdateCheck&) = delete;
    BackgroundUpdateCheck& operator=(const BackgroundUpdateCheck&) = delete;

    void start();

private:
    UpdateCheck m_check;
    std::function<void(const std::function<void()>&)> m_report;
    QObject m_receiver; // of the outcome, on the thread that made this object
    std::unique_ptr<QThread> m_thread;
};

} // namespace urdiva::ui
