#pragma once
// What the window tests share: a platform that records instead of blocking, and ways to reach
// the controls by their names and to wait for a generation.

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <cstdint>
#include <vector>

#include "main_window.h"
#include "platform.h"

namespace apptest {

using pixmond::app::BoxIcon;

struct ShownMessage {
    QString text;
    QString title;
    BoxIcon icon = BoxIcon::None;
};

// The clipboard and the desktop folder are the real ones (the offscreen clipboard stays inside
// the process; the desktop folder follows HOME). The rest is under the test's control.
class FakePlatform : public pixmond::app::QtPlatform {
public:
    std::vector<ShownMessage> messages;
    std::vector<QString> opened;
    bool openSucceeds = true;
    int screenHeight = 1080;
    std::uint32_t tick = 1'000'000;
    pixmond::app::DateTime now{2019, 7, 3, 12, 5, 9};

    void ShowMessage(const QString& text, const QString& title, BoxIcon icon) override {
        messages.push_back({text, title, icon});
    }
    bool OpenAddress(const QString& encodedAddress) override {
        opened.push_back(encodedAddress);
        return openSucceeds;
    }
    int ScreenHeight() override { return screenHeight; }
    std::uint32_t TickMilliseconds() override { return tick; }
    pixmond::app::DateTime Now() override { return now; }
};

template <class W>
W* Named(const QObject& parent, const char* name) {
    return parent.findChild<W*>(QString::fromUtf8(name));
}

// Types a text: ASCII through key presses, anything else as an input method commits it.
inline void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(widget, &commit);
        }
    }
}

// Presses a button and waits until the worker's picture is in place.
inline bool GenerateWith(pixmond::app::MainWindow& window, const char* button) {
    QSignalSpy finished(&window, &pixmond::app::MainWindow::GenerationFinished);
    QTest::mouseClick(Named<QPushButton>(window, button), Qt::LeftButton);
    return finished.wait(20000);
}

inline const char* const kGenerateButton = "按钮3";
inline const char* const kRandomButton = "按钮2";

}  // namespace apptest
