#include "secondary_windows.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include "logo.h"
#include "picture_box.h"
#include "placing.h"
#include "platform.h"
#include "texts.h"

namespace pixmond::app {
LargeView::LargeView(const PictureBox& source, int screenHeight, QWidget* owner) : QDialog(owner) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(QStringLiteral("查看大图"));
    picture_ = Place(new PictureBox(this), "图片框1", 0, 0, 200, 200);
    picture_->CopyPicture(source);
    const int side = screenHeight - 100;
    resize(side, side);
    move(side / 2, 0);
}

// The picture fills a square 50 pixels short of the window's smaller side.
void LargeView::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const QSize size = event->size();
    const int side = size.height() < size.width() ? size.height() : size.width();
    picture_->setGeometry(0, 0, side - 50, side - 50);
}

BusinessCard::BusinessCard(QWidget* owner) : QDialog(owner) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QString());
    setFixedSize(645, 369);

    auto* basic = Place(new QGroupBox(QStringLiteral("基础"), this), "分组框1", 8, 8, 312, 160);
    PlaceLabel(basic, "标签1", QStringLiteral("姓名"), 22, 17, 80, 24);
    name_ = Place(new QLineEdit(basic), "编辑框1", 21, 47, 248, 30);
    PlaceLabel(basic, "标签2", QStringLiteral("手机"), 22, 79, 80, 24);
    mobile_ = Place(new QLineEdit(basic), "编辑框2", 21, 109, 248, 30);

    // The extra boxes are offered but not part of the card.
    auto* extra = Place(new QGroupBox(QStringLiteral("附加"), this), "分组框2", 328, 8, 288, 320);
    PlaceLabel(extra, "标签3", QStringLiteral("备注"), 22, 21, 80, 24);
    Place(new QLineEdit(extra), "编辑框3", 22, 54, 248, 30);
    PlaceLabel(extra, "标签4", {}, 22, 93, 80, 24);
    Place(new QLineEdit(extra), "编辑框4", 22, 126, 248, 30);
    PlaceLabel(extra, "标签5", {}, 22, 165, 80, 24);
    Place(new QLineEdit(extra), "编辑框5", 22, 198, 248, 30);
    PlaceLabel(extra, "标签6", {}, 22, 237, 80, 24);
    Place(new QLineEdit(extra), "编辑框6", 22, 275, 248, 30);

    auto* make = PlaceButton(this, "按钮1", QStringLiteral("生成代码"), 55, 183, 224, 34);
    connect(make, &QPushButton::clicked, this, [this] {
        emit CardMade(CardText(name_->text(), mobile_->text()));
        close();
    });
}

QString BusinessCard::CardText(const QString& name, const QString& mobile) {
    return QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:") + name + QStringLiteral("\r\nTEL:") + mobile +
           QStringLiteral("\r\nNOTE:Pixmond Share\r\nEND:VCARD");
}

AboutWindow::AboutWindow(Platform& platform, const AppSettings& settings, QWidget* owner)
    : QDialog(owner), platform_(platform), settings_(settings) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(QStringLiteral("关于"));
    setFixedSize(446, 381);

    auto* about = Place(new QGroupBox(QStringLiteral("关于"), this), "分组框1", 9, 14, 416, 141);
    Place(new PictureBox(about), "图片框1", 14, 25, 100, 100)->SetImage(PaintLogo());
    PlaceLabel(about, "标签1",
               QStringLiteral("程序名：Pixmond\n开发者：Pixmond 开发组\n创建日期：2019/06/30"), 141, 28, 184, 64);

    auto* feedback = Place(new QGroupBox(QStringLiteral("反馈"), this), "分组框2", 8, 171, 416, 172);
    feedback_ = Place(new QPlainTextEdit(feedback), "编辑框1", 8, 18, 399, 104);
    auto* send = PlaceButton(feedback, "按钮1", QStringLiteral("发送给开发者"), 96, 130, 224, 32);
    connect(send, &QPushButton::clicked, this, &AboutWindow::SendFeedback);
}

void AboutWindow::SendFeedback() {
    const auto address = FeedbackAddress(settings_, EditBoxText(*feedback_));
    OpenSetAddress(platform_, address.value_or(QString()), QStringLiteral("推送服务的地址和密钥，反馈无法发送"));
}

OtherVersions::OtherVersions(std::vector<std::uint8_t> picture, QWidget* owner) : QDialog(owner) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    setWindowTitle(QStringLiteral("其他版本"));
    setFixedSize(231, 249);
    PlaceLabel(this, "标签1", QStringLiteral("扫码下载手机版"), 44, 16, 136, 24);
    Place(new PictureBox(this), "图片框1", 37, 52, 150, 150)->SetPictureBytes(std::move(picture));
}

void SayNotSet(Platform& platform, const QString& what) {
    platform.ShowMessage(QStringLiteral("这个版本的程序没有设置") + what + QStringLiteral("。"), QStringLiteral("提示"),
                         BoxIcon::None);
}

void OpenSetAddress(Platform& platform, const QString& encodedAddress, const QString& what) {
    if (encodedAddress.isEmpty()) {
        SayNotSet(platform, what);
    } else if (!platform.OpenAddress(encodedAddress)) {
        platform.ShowMessage(QStringLiteral("无法打开网址：") + encodedAddress, QStringLiteral("提示"), BoxIcon::Error);
    }
}

}  // namespace pixmond::app
