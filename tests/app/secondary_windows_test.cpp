// The windows opened from the main window, and the addresses the program opens.

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QUrlQuery>
#include <QtTest>

#include "app_fixture.h"
#include "logo.h"
#include "picture_box.h"
#include "secondary_windows.h"
#include "support/zbar_reader.h"

using namespace apptest;
using pixmond::app::AboutWindow;
using pixmond::app::AppSettings;
using pixmond::app::BusinessCard;
using pixmond::app::LargeView;
using pixmond::app::MainWindow;
using pixmond::app::OtherVersions;
using pixmond::app::PictureBox;

namespace {

const QString kKey = QStringLiteral("SCT0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNO");

AppSettings FullSettings() {
    return {QStringLiteral("https://push.example.com/"), kKey, QStringLiteral("https://example.com/batch?from=pixmond"),
            QStringLiteral("https://example.com/mobile")};
}

void TriggerMenu(MainWindow& window, const QString& entry) {
    for (QAction* action : window.menuBar()->actions())
        if (action->text() == entry) action->trigger();
}

// Left click on the main picture; the large view it opens, if any.
LargeView* OpenLargeView(MainWindow& window) {
    QTest::mouseClick(Named<PictureBox>(window, "图片框1"), Qt::LeftButton);
    return window.findChild<LargeView*>();
}

std::optional<std::string> DecodeImage(const QImage& image) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < grey.height(); ++y) pixels.insert(pixels.end(), grey.constScanLine(y), grey.constScanLine(y) + grey.width());
    return testsupport::DecodeGrey(pixels, grey.width(), grey.height());
}

}  // namespace

class SecondaryWindowsTest : public QObject {
    Q_OBJECT
    FakePlatform platform_;

private slots:
    void init() {
        platform_.messages.clear();
        platform_.opened.clear();
        platform_.openSucceeds = true;
    }

    void largeViewFollowsTheScreenHeight_data() {
        QTest::addColumn<int>("screen");
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("picture");
        QTest::newRow("1080") << 1080 << 980 << 490 << 930;
        QTest::newRow("768") << 768 << 668 << 334 << 618;
    }
    void largeViewFollowsTheScreenHeight() {
        QFETCH(int, screen);
        QFETCH(int, side);
        QFETCH(int, left);
        QFETCH(int, picture);
        platform_.screenHeight = screen;
        MainWindow window(platform_, {});
        window.show();
        window.SetEditText(QStringLiteral("看大图"));
        LargeView* view = OpenLargeView(window);
        QVERIFY(view);
        QVERIFY(view->isModal());
        QCOMPARE(view->windowTitle(), QStringLiteral("查看大图"));
        QCOMPARE(view->size(), QSize(side, side));
        QCOMPARE(view->pos(), QPoint(left, 0));
        QTRY_COMPARE(Named<PictureBox>(*view, "图片框1")->geometry(), QRect(0, 0, picture, picture));
        view->close();
    }

    // The picture takes the smaller side less 50; the enlarged modules stay pure black and
    // white and still read as the text.
    void largeViewEnlargesSharply() {
        MainWindow window(platform_, {});
        window.show();
        window.SetEditText(QStringLiteral("放大"));
        QVERIFY(GenerateWith(window, kGenerateButton));
        LargeView* view = OpenLargeView(window);
        QVERIFY(view);
        auto* picture = Named<PictureBox>(*view, "图片框1");
        view->resize(700, 600);
        QTRY_COMPARE(picture->size(), QSize(550, 550));
        view->resize(500, 900);
        QTRY_COMPARE(picture->size(), QSize(450, 450));

        const QImage shown = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(450, 450));
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb p = shown.pixel(x, y);
                QVERIFY2(p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255), qPrintable(QStringLiteral("grey at %1,%2").arg(x).arg(y)));
            }
        QCOMPARE(DecodeImage(shown), std::optional<std::string>(QStringLiteral("放大").toStdString()));
        view->close();
    }

    void largeViewNeedsText() {
        MainWindow window(platform_, {});
        window.show();
        QVERIFY(!OpenLargeView(window));
        window.SetEditText(QStringLiteral("x"));
        LargeView* view = OpenLargeView(window);
        QVERIFY(view);
        QCOMPARE(Named<PictureBox>(*view, "图片框1")->Image(), pixmond::app::PaintLogo());
        view->close();
    }

    // The card is modeless, writes exactly six CRLF-joined lines, and goes away.
    void businessCardWritesTheVCard() {
        MainWindow window(platform_, {});
        window.show();
        QTest::mouseClick(Named<QPushButton>(window, "按钮5"), Qt::LeftButton);
        QPointer<BusinessCard> card = window.findChild<BusinessCard*>();
        QVERIFY(card);
        QVERIFY(!card->isModal());
        QCOMPARE(card->size(), QSize(645, 369));
        QTest::keyClicks(Named<QLineEdit>(*card, "编辑框1"), QStringLiteral("ABC"));
        QTest::keyClicks(Named<QLineEdit>(*card, "编辑框2"), QStringLiteral("123"));
        QTest::keyClicks(Named<QLineEdit>(*card, "编辑框3"), QStringLiteral("not used"));
        QTest::mouseClick(Named<QPushButton>(*card, "按钮1"), Qt::LeftButton);
        QCOMPARE(window.EditText(),
                 QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nN:ABC\r\nTEL:123\r\nNOTE:Pixmond Share\r\nEND:VCARD"));
        QCOMPARE(Named<QLabel>(window, "标签1")->text(), QStringLiteral("输入文本 - 71"));
        QTRY_VERIFY(card.isNull());
    }

    // Title and feedback are percent-encoded as UTF-8: "&", "=", spaces and line breaks stay
    // inside the one value they belong to.
    void feedbackAddressIsEncoded() {
        MainWindow window(platform_, FullSettings());
        window.show();
        TriggerMenu(window, QStringLiteral("关于"));
        AboutWindow* about = window.findChild<AboutWindow*>();
        QVERIFY(about);
        QVERIFY(about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("关于"));
        QCOMPARE(about->size(), QSize(446, 381));
        QCOMPARE(Named<QLabel>(*about, "标签1")->text().split(QLatin1Char('\n')).first(), QStringLiteral("程序名：Pixmond"));
        QTest::keyClicks(Named<QPlainTextEdit>(*about, "编辑框1"), QStringLiteral("a & b=c"));
        QTest::keyClick(Named<QPlainTextEdit>(*about, "编辑框1"), Qt::Key_Return);
        Type(Named<QPlainTextEdit>(*about, "编辑框1"), QStringLiteral("中#"));
        QTest::mouseClick(Named<QPushButton>(*about, "按钮1"), Qt::LeftButton);

        QCOMPARE(platform_.opened.size(), std::size_t{1});
        const QString expected = QStringLiteral("https://push.example.com/") + kKey +
                                 QStringLiteral(".send?text=%E6%9D%A5%E8%87%AAPixmond%20Windows%E7%89%88%E6%9C%AC%E7%9A%84%E5%8F%8D%E9%A6%88"
                                                "&desp=a%20%26%20b%3Dc%0D%0A%E4%B8%AD%23");
        QCOMPARE(platform_.opened[0], expected);
        const QUrl url = QUrl::fromEncoded(expected.toLatin1(), QUrl::StrictMode);
        QVERIFY(url.isValid());
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems().size(), 2);
        QCOMPARE(query.queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded), QStringLiteral("来自Pixmond Windows版本的反馈"));
        QCOMPARE(query.queryItemValue(QStringLiteral("desp"), QUrl::FullyDecoded), QStringLiteral("a & b=c\r\n中#"));
        QVERIFY(platform_.messages.empty());
        about->close();
    }

    // Without an address the button says so and opens nothing; an address nobody opens is
    // reported too.
    void addressesThatAreNotSet_data() {
        QTest::addColumn<bool>("set");
        QTest::addColumn<bool>("opens");
        QTest::newRow("not set") << false << true;
        QTest::newRow("set, opened") << true << true;
        QTest::newRow("set, no handler") << true << false;
    }
    void addressesThatAreNotSet() {
        QFETCH(bool, set);
        QFETCH(bool, opens);
        platform_.openSucceeds = opens;
        MainWindow window(platform_, set ? FullSettings() : AppSettings{});
        window.show();
        QTest::mouseClick(Named<QPushButton>(window, "按钮4"), Qt::LeftButton);
        TriggerMenu(window, QStringLiteral("关于"));
        AboutWindow* about = window.findChild<AboutWindow*>();
        QVERIFY(about);
        QTest::mouseClick(Named<QPushButton>(*about, "按钮1"), Qt::LeftButton);
        about->close();

        if (!set) {
            QVERIFY(platform_.opened.empty());
            QCOMPARE(platform_.messages.size(), std::size_t{2});
            QVERIFY(platform_.messages[0].text.contains(QStringLiteral("批量生成网页")));
            QVERIFY(platform_.messages[1].text.contains(QStringLiteral("推送服务")));
            TriggerMenu(window, QStringLiteral("其他版本"));
            QVERIFY(!window.findChild<OtherVersions*>());
            QCOMPARE(platform_.messages.size(), std::size_t{3});
            QVERIFY(platform_.messages[2].text.contains(QStringLiteral("手机版")));
            return;
        }
        QCOMPARE(platform_.opened.size(), std::size_t{2});
        QCOMPARE(platform_.opened[0], QStringLiteral("https://example.com/batch?from=pixmond"));
        QVERIFY(platform_.opened[1].endsWith(QStringLiteral("&desp=")));  // an empty feedback still sends
        QCOMPARE(platform_.messages.size(), std::size_t{opens ? 0u : 2u});
        for (const auto& shown : platform_.messages) QVERIFY(shown.text.contains(QStringLiteral("无法打开网址")));
    }

    // The picture is a real code of the mobile address, made by our module.
    void otherVersionsShowsTheMobileAddress() {
        MainWindow window(platform_, FullSettings());
        window.show();
        TriggerMenu(window, QStringLiteral("其他版本"));
        OtherVersions* other = window.findChild<OtherVersions*>();
        QVERIFY(other);
        QVERIFY(other->isModal());
        QCOMPARE(other->windowTitle(), QStringLiteral("其他版本"));
        QCOMPARE(Named<QLabel>(*other, "标签1")->text(), QStringLiteral("扫码下载手机版"));
        const auto* picture = Named<PictureBox>(*other, "图片框1");
        QCOMPARE(picture->geometry(), QRect(37, 52, 150, 150));
        QCOMPARE(picture->Image().size(), QSize(200, 200));
        QCOMPARE(testsupport::DecodeBmp(*picture->PictureBytes()), std::optional<std::string>("https://example.com/mobile"));
        other->close();
    }
};

QTEST_MAIN(SecondaryWindowsTest)
#include "secondary_windows_test.moc"
