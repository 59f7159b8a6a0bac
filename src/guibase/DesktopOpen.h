#pragma once
// Handing a URL to the desktop's own program for it (the web browser for a
// help page, the mail client for a mailto: address), with word back when no
// program took it, so that the caller can show the page or the address
// itself instead of leaving the user with nothing.

#include <QString>
#include <QUrl>

#include <functional>

// Opens url with xdg-open where it is installed: its exit status says
// whether a program took the URL (it waits for a browser started the plain
// way, so a run still going after a few seconds counts as opened). Without
// xdg-open, Qt looks for a browser itself. notOpened runs on the UI thread
// when nothing opened the URL, at once or within those seconds.
void OpenWithDesktop(const QUrl& url, const std::function<void()>& notOpened);

// For a desktop without a mail client: shows the address to write to in a
// message and puts it on the clipboard.
void ShowMailAddress(const QString& address);

// How long a running xdg-open may still report a failure, in milliseconds.
inline constexpr int kDesktopOpenVerdictTime = 10000;
