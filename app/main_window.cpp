#include "main_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

#include "logo.h"
#include "placing.h"
#include "qr_picture.h"
#include "picture_box.h"
#include "platform.h"
#include "pixmond/create.h"
#include "pixmond/random_colour.h"
#include "saving.h"
#include "secondary_windows.h"
#include "texts.h"
#include "time_text.h"

namespace pixmond::app {
namespace {

constexpr std::size_t kTextLimit = 800;  // bytes; a text must be shorter
const QString kCounterCaption = QStringLiteral("输入文本");

}  // namespace

MainWindow::MainWindow(Platform& platform, AppSettings settings, QWidget* parent)
    : QMainWindow(parent), platform_(platform), settings_(std::move(settings)) {
    setWindowTitle(QStringLiteral("Pixmond"));
    auto* client = new QWidget(this);
    setCentralWidget(client);

    picture_ = Place(new PictureBox(client), "图片框1", 92, 16, 200, 200);
    picture_->SetImage(PaintLogo());
    counter_ = PlaceLabel(client, "标签1", kCounterCaption, 8, 232, 111, 24);
    loading_ = PlaceLabel(client, "标签2", QStringLiteral("Loading..."), 117, 232, 104, 24);
    loading_->hide();
    edit_ = Place(new QPlainTextEdit(client), "编辑框1", 8, 259, 368, 149);
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    generate_ = PlaceButton(client, "按钮3", QStringLiteral("生成"), 16, 416, 351, 32);

    auto* extras = Place(new QGroupBox(QStringLiteral("额外的功能"), client), "分组框1", 384, 7, 149, 441);
    auto* clipboard = PlaceButton(extras, "按钮1", QStringLiteral("取剪切板文本"), 17, 28, 115, 32);
    randomColour_ = PlaceButton(extras, "按钮2", QStringLiteral("随机颜色"), 17, 71, 115, 32);
    auto* batch = PlaceButton(extras, "按钮4", QStringLiteral("批量生成"), 17, 114, 115, 32);
    auto* card = PlaceButton(extras, "按钮5", QStringLiteral("个人名片"), 17, 157, 115, 32);
    auto* recognise = PlaceButton(extras, "按钮6", QStringLiteral("识别二维码"), 17, 200, 115, 32);
    recognise->setEnabled(false);  // not offered yet

    menuBar()->addAction(QStringLiteral("程序相关"));
    connect(menuBar()->addAction(QStringLiteral("其他版本")), &QAction::triggered, this, &MainWindow::OpenOtherVersions);
    connect(menuBar()->addAction(QStringLiteral("关于")), &QAction::triggered, this, &MainWindow::OpenAbout);

    connect(picture_, &PictureBox::LeftReleased, this, &MainWindow::ShowLargeView);
    connect(picture_, &PictureBox::RightReleased, this, &MainWindow::SavePicture);
    connect(edit_, &QPlainTextEdit::textChanged, this, &MainWindow::UpdateCounter);
    connect(generate_, &QPushButton::clicked, this, &MainWindow::Generate);
    connect(randomColour_, &QPushButton::clicked, this, &MainWindow::GenerateRandomColour);
    connect(clipboard, &QPushButton::clicked, this, &MainWindow::TakeClipboardText);
    connect(batch, &QPushButton::clicked, this, &MainWindow::OpenBatchPage);
    connect(card, &QPushButton::clicked, this, &MainWindow::OpenBusinessCard);
    connect(&worker_, &QFutureWatcher<PictureOutcome>::finished, this, &MainWindow::FinishGeneration);

    // The controls keep fixed places, so the window keeps its size.
    client->setFixedSize(541, 456);
    setFixedSize(sizeHint());
    move(50, 50);
}

MainWindow::~MainWindow() { worker_.waitForFinished(); }

QString MainWindow::EditText() const { return EditBoxText(*edit_); }

void MainWindow::SetEditText(const QString& text) { SetEditBoxText(*edit_, text); }

void MainWindow::UpdateCounter() {
    counter_->setText(kCounterCaption + QStringLiteral(" - ") + QString::number(ModuleBytes(EditText()).size()));
}

bool MainWindow::TextPassesCheck() {
    const std::size_t length = ModuleBytes(EditText()).size();
    if (length > 0 && length < kTextLimit) return true;
    platform_.ShowMessage(QStringLiteral(" 文本不能超过800字且不为0"), QStringLiteral("提示"), BoxIcon::None);
    return false;
}

void MainWindow::Generate() {
    if (generating_ || !TextPassesCheck()) return;
    StartGeneration(kBlack);
}

void MainWindow::GenerateRandomColour() {
    if (generating_ || !TextPassesCheck()) return;
    lastSeed_ = NextColourSeed(platform_.TickMilliseconds());
    StartGeneration(ColourFromSeed(*lastSeed_));
}

// The module keeps one process-wide record, so one generation at a time: the buttons stay
// disabled until the worker has handed its picture back.
void MainWindow::StartGeneration(std::uint32_t foreground) {
    SetGenerating(true);
    worker_.setFuture(QtConcurrent::run(MakeQrPicture, ModuleBytes(EditText()), std::int64_t{picture_->width()},
                                        std::int32_t{picture_->height()}, Colour{foreground}));
    emit GenerationStarted();
}

// A module failure is shown and the window goes on: the user's text stays for mending.
void MainWindow::FinishGeneration() {
    const PictureOutcome outcome = worker_.result();
    SetGenerating(false);
    if (outcome.failureReport) {
        platform_.ShowMessage(QString::fromUtf8(*outcome.failureReport), kFailureTitle,
                              BoxIcon::Error);
    } else {
        picture_->SetPictureBytes(outcome.picture);
    }
    emit GenerationFinished();
}

void MainWindow::SetGenerating(bool generating) {
    generating_ = generating;
    generate_->setEnabled(!generating);
    randomColour_->setEnabled(!generating);
    loading_->setVisible(generating);
}

void MainWindow::TakeClipboardText() {
    const QString text = AsEditBoxText(platform_.ClipboardText());
    if (text != EditText()) SetEditText(text);
}

void MainWindow::ShowLargeView() {
    if (EditText().isEmpty()) return;
    auto* view = new LargeView(*picture_, platform_.ScreenHeight(), this);
    view->show();
}

// Only a picture the module made in this run is saved, under a name that says what it is.
void MainWindow::SavePicture() {
    if (EditText().isEmpty()) return;
    const auto& bytes = picture_->PictureBytes();
    if (!bytes) {
        platform_.ShowMessage(QStringLiteral("还没有生成二维码：请先按“生成”或“随机颜色”，再保存"),
                              QStringLiteral("提示"), BoxIcon::None);
        return;
    }
    const SaveOutcome outcome = SavePictureFile(platform_.DesktopFolder(),
                                                QString::fromStdString(TimeToText(platform_.Now())), *bytes);
    if (outcome.ok) {
        platform_.ShowMessage(QStringLiteral("输出图片到") + outcome.path + QStringLiteral("成功"),
                              QStringLiteral("信息："), BoxIcon::None);
    } else {
        platform_.ShowMessage(QStringLiteral("保存图片到") + outcome.path + QStringLiteral("失败：") + outcome.reason,
                              QStringLiteral("提示"), BoxIcon::Error);
    }
}

void MainWindow::OpenBatchPage() {
    OpenSetAddress(platform_, settings_.batchPageAddress, QStringLiteral("批量生成网页的地址"));
}

void MainWindow::OpenBusinessCard() {
    auto* card = new BusinessCard(this);
    connect(card, &BusinessCard::CardMade, this, &MainWindow::SetEditText);
    card->show();
}

void MainWindow::OpenAbout() { (new AboutWindow(platform_, settings_, this))->show(); }

void MainWindow::OpenOtherVersions() {
    if (settings_.mobileAddress.isEmpty()) {
        SayNotSet(platform_, QStringLiteral("手机版的下载地址"));
        return;
    }
    PictureOutcome outcome = MakeQrPicture(ModuleBytes(settings_.mobileAddress), 200, 200, kBlack);
    if (outcome.failureReport) {
        platform_.ShowMessage(QString::fromUtf8(*outcome.failureReport), kFailureTitle, BoxIcon::Error);
        return;
    }
    (new OtherVersions(std::move(outcome.picture), this))->show();
}

}  // namespace pixmond::app
