#pragma once
// The program's main window: the text, the picture, and the entries to everything else.

#include <QFutureWatcher>
#include <QMainWindow>

#include <cstdint>
#include <optional>

#include "qr_picture.h"
#include "settings.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace pixmond::app {

class Platform;
class PictureBox;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Platform& platform, AppSettings settings, QWidget* parent = nullptr);
    // Waits for a generation still running: its worker must not outlive the window.
    ~MainWindow() override;

    // The edit box text, line breaks as "\r\n".
    QString EditText() const;
    void SetEditText(const QString& text);
    bool IsGenerating() const noexcept { return generating_; }
    // The seed of the last random-colour generation.
    std::optional<std::uint32_t> LastColourSeed() const noexcept { return lastSeed_; }

public slots:
    void Generate();
    void GenerateRandomColour();
    void TakeClipboardText();
    void ShowLargeView();
    void SavePicture();
    void OpenBatchPage();
    void OpenBusinessCard();
    void OpenAbout();
    void OpenOtherVersions();

signals:
    void GenerationStarted();
    void GenerationFinished();

private:
    void StartGeneration(std::uint32_t foreground);
    void FinishGeneration();
    bool TextPassesCheck();
    void SetGenerating(bool generating);
    void UpdateCounter();

    Platform& platform_;
    AppSettings settings_;
    PictureBox* picture_ = nullptr;
    QLabel* counter_ = nullptr;
    QLabel* loading_ = nullptr;
    QPlainTextEdit* edit_ = nullptr;
    QPushButton* generate_ = nullptr;
    QPushButton* randomColour_ = nullptr;
    QFutureWatcher<PictureOutcome> worker_;
    bool generating_ = false;
    std::optional<std::uint32_t> lastSeed_;
};

}  // namespace pixmond::app
