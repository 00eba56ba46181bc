#pragma once
// Everything the windows need from the desktop, behind one interface: a test drives the windows
// with a platform that records message boxes and addresses instead of blocking or opening them.

#include <QString>

#include <cstdint>

#include "time_text.h"

namespace pixmond::app {

enum class BoxIcon { None, Error };

class Platform {
public:
    virtual ~Platform() = default;

    // A message box with an OK button and no owner, blocking until it is closed.
    virtual void ShowMessage(const QString& text, const QString& title, BoxIcon icon) = 0;
    // The clipboard's plain text; the empty text when it holds none.
    virtual QString ClipboardText() = 0;
    // The user's desktop directory, or the empty text when the system cannot tell.
    virtual QString DesktopFolder() = 0;
    // Opens an address (already percent-encoded) with the default handler; false when none took it.
    virtual bool OpenAddress(const QString& encodedAddress) = 0;
    virtual int ScreenHeight() = 0;
    virtual std::uint32_t TickMilliseconds() = 0;
    virtual DateTime Now() = 0;
};

// The real desktop through Qt.
class QtPlatform : public Platform {
public:
    void ShowMessage(const QString& text, const QString& title, BoxIcon icon) override;
    QString ClipboardText() override;
    QString DesktopFolder() override;
    bool OpenAddress(const QString& encodedAddress) override;
    int ScreenHeight() override;
    std::uint32_t TickMilliseconds() override;
    DateTime Now() override;
};

}  // namespace pixmond::app
