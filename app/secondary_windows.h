#pragma once
// The windows opened from the main window: large view, business card, about, other versions.

#include <QDialog>

#include <cstdint>
#include <vector>

#include "settings.h"

class QLineEdit;
class QPlainTextEdit;

namespace pixmond::app {

class Platform;
class PictureBox;

// The current picture enlarged; modal.
class LargeView : public QDialog {
    Q_OBJECT
public:
    LargeView(const PictureBox& source, int screenHeight, QWidget* owner);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    PictureBox* picture_ = nullptr;
};

// A form that writes a vCard 3.0 text into the main edit box; modeless, gone once used.
class BusinessCard : public QDialog {
    Q_OBJECT
public:
    explicit BusinessCard(QWidget* owner);

    // The vCard text of a name and a mobile number, inserted as they are.
    static QString CardText(const QString& name, const QString& mobile);

signals:
    void CardMade(const QString& text);

private:
    QLineEdit* name_ = nullptr;
    QLineEdit* mobile_ = nullptr;
};

// The program's name and a box for feedback to the developers; modal.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    AboutWindow(Platform& platform, const AppSettings& settings, QWidget* owner);

private:
    void SendFeedback();

    Platform& platform_;
    AppSettings settings_;
    QPlainTextEdit* feedback_ = nullptr;
};

// A QR code that leads to the mobile version; modal.
class OtherVersions : public QDialog {
    Q_OBJECT
public:
    // picture: the BMP bytes of that code, 200 by 200.
    OtherVersions(std::vector<std::uint8_t> picture, QWidget* owner);
};

// Tells the user that this build left out a setting, named by what.
void SayNotSet(Platform& platform, const QString& what);
// Opens an address, or says why it cannot: not set in this build (named by what), or no
// handler took it.
void OpenSetAddress(Platform& platform, const QString& encodedAddress, const QString& what);

}  // namespace pixmond::app
