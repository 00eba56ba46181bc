// The main window: its controls, the counter, the length check, generations in black and in a
// random colour, the clipboard, and a module failure that the window survives.

#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QtTest>

#include <set>

#include "app_fixture.h"
#include "picture_box.h"
#include "pixmond/random_colour.h"
#include "support/bmp.h"
#include "support/zbar_reader.h"

using namespace apptest;
using pixmond::app::MainWindow;
using pixmond::app::PictureBox;

namespace {

const QString kLengthMessage = QStringLiteral(" 文本不能超过800字且不为0");

std::optional<testsupport::Picture> ShownPicture(const MainWindow& window) {
    const auto& bytes = Named<PictureBox>(window, "图片框1")->PictureBytes();
    if (!bytes) return std::nullopt;
    return testsupport::ReadBmp(*bytes);
}

std::set<std::uint32_t> ColoursOf(const testsupport::Picture& picture) {
    std::set<std::uint32_t> colours;
    for (const auto& p : picture.pixels) colours.insert(p.r | (p.g << 8) | (p.b << 16));
    return colours;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
    FakePlatform platform_;

private slots:
    void controlsSitWhereTheyBelong_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* name, QRect place, const char* caption) {
            QTest::newRow(name) << QString::fromUtf8(name) << place << QString::fromUtf8(caption);
        };
        row("图片框1", {92, 16, 200, 200}, "");
        row("标签1", {8, 232, 111, 24}, "输入文本");
        row("标签2", {117, 232, 104, 24}, "Loading...");
        row("编辑框1", {8, 259, 368, 149}, "");
        row("按钮3", {16, 416, 351, 32}, "生成");
        row("分组框1", {384, 7, 149, 441}, "额外的功能");
        row("按钮1", {17, 28, 115, 32}, "取剪切板文本");
        row("按钮2", {17, 71, 115, 32}, "随机颜色");
        row("按钮4", {17, 114, 115, 32}, "批量生成");
        row("按钮5", {17, 157, 115, 32}, "个人名片");
        row("按钮6", {17, 200, 115, 32}, "识别二维码");
    }
    void controlsSitWhereTheyBelong() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QFETCH(QString, caption);
        MainWindow window(platform_, {});
        window.show();
        auto* control = window.findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), place);
        if (auto* label = qobject_cast<QLabel*>(control)) QCOMPARE(label->text(), caption);
        if (auto* button = qobject_cast<QAbstractButton*>(control)) QCOMPARE(button->text(), caption);
        if (auto* group = qobject_cast<QGroupBox*>(control)) QCOMPARE(group->title(), caption);
    }

    void windowStartsWithTitleMenuAndLogo() {
        MainWindow window(platform_, {});
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Pixmond"));
        QStringList entries;
        for (const QAction* action : window.menuBar()->actions()) entries << action->text();
        QCOMPARE(entries, (QStringList{QStringLiteral("程序相关"), QStringLiteral("其他版本"), QStringLiteral("关于")}));
        QVERIFY(Named<QLabel>(window, "标签2")->isHidden());
        const auto* picture = Named<PictureBox>(window, "图片框1");
        QCOMPARE(picture->Image().size(), QSize(512, 512));
        QVERIFY(!picture->PictureBytes());
    }

    // A Chinese character is two bytes, a line break two (carriage return and line feed).
    void counterCountsModuleBytes() {
        MainWindow window(platform_, {});
        window.show();
        auto* edit = Named<QPlainTextEdit>(window, "编辑框1");
        auto* counter = Named<QLabel>(window, "标签1");
        Type(edit, QStringLiteral("ab中文"));
        QCOMPARE(counter->text(), QStringLiteral("输入文本 - 6"));
        QTest::keyClick(edit, Qt::Key_Return);
        Type(edit, QStringLiteral("c"));
        QCOMPARE(window.EditText(), QStringLiteral("ab中文\r\nc"));
        QCOMPARE(counter->text(), QStringLiteral("输入文本 - 9"));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(counter->text(), QStringLiteral("输入文本 - 0"));
    }

    void lengthCheck_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("799 bytes") << QString(799, QLatin1Char('a')) << true;
        QTest::newRow("800 bytes") << QString(800, QLatin1Char('a')) << false;
        QTest::newRow("399 Chinese") << QString(399, QChar(0x4E2D)) << true;
        QTest::newRow("400 Chinese") << QString(400, QChar(0x4E2D)) << false;
        QTest::newRow("398 Chinese and 3 bytes") << QString(398, QChar(0x4E2D)) + QStringLiteral("abc") << true;
        QTest::newRow("398 Chinese and 4 bytes") << QString(398, QChar(0x4E2D)) + QStringLiteral("abcd") << false;
    }
    void lengthCheck() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        platform_.messages.clear();
        MainWindow window(platform_, {});
        window.SetEditText(text);
        QSignalSpy started(&window, &MainWindow::GenerationStarted);
        if (accepted) {
            QVERIFY(GenerateWith(window, kGenerateButton));
            QVERIFY(platform_.messages.empty());
            const auto decoded = testsupport::DecodeBmp(*Named<PictureBox>(window, "图片框1")->PictureBytes());
            QVERIFY(decoded);
            QCOMPARE(QString::fromUtf8(decoded->data(), static_cast<qsizetype>(decoded->size())), text);
        } else {
            QTest::mouseClick(Named<QPushButton>(window, kRandomButton), Qt::LeftButton);
            QTest::mouseClick(Named<QPushButton>(window, kGenerateButton), Qt::LeftButton);
            QCOMPARE(platform_.messages.size(), std::size_t{2});
            for (const auto& shown : platform_.messages) {
                QCOMPARE(shown.text, kLengthMessage);
                QCOMPARE(shown.title, QStringLiteral("提示"));
                QVERIFY(shown.icon == BoxIcon::None);
            }
            QCOMPARE(started.count(), 0);
            QVERIFY(!window.IsGenerating());
        }
    }

    // The picture zbar reads back is the text, drawn black on white at the picture box's size.
    void generationShowsTheTextInBlack() {
        MainWindow window(platform_, {});
        window.show();
        const QString text = QStringLiteral("你好，Pixmond！\r\n第二行 12345");
        window.SetEditText(text);
        QVERIFY(GenerateWith(window, kGenerateButton));
        const auto* box = Named<PictureBox>(window, "图片框1");
        const auto decoded = testsupport::DecodeBmp(*box->PictureBytes());
        QVERIFY(decoded);
        QCOMPARE(QString::fromUtf8(decoded->data(), static_cast<qsizetype>(decoded->size())), text);
        const auto picture = ShownPicture(window);
        QVERIFY(picture);
        QCOMPARE(picture->width, 200);
        QCOMPARE(picture->height, 200);
        QCOMPARE(ColoursOf(*picture), (std::set<std::uint32_t>{0x000000, 0xFFFFFF}));
        QCOMPARE(box->Image().size(), QSize(200, 200));
        QVERIFY(Named<QLabel>(window, "标签2")->isHidden());
    }

    // Two presses within one millisecond: the second seed is the first plus (first mod 256)
    // + 100, and each picture is drawn in its seed's colour.
    void randomColoursOfTwoSeedsInOneMillisecond() {
        MainWindow window(platform_, {});
        window.show();
        window.SetEditText(QStringLiteral("随机颜色"));
        platform_.tick = 4'242'424;
        std::vector<std::uint32_t> seeds;
        std::vector<std::uint32_t> colours;
        for (int i = 0; i < 2; ++i) {
            QVERIFY(GenerateWith(window, kRandomButton));
            QVERIFY(window.LastColourSeed());
            seeds.push_back(*window.LastColourSeed());
            const auto picture = ShownPicture(window);
            QVERIFY(picture);
            auto found = ColoursOf(*picture);
            QVERIFY(found.erase(0xFFFFFF));
            QCOMPARE(found.size(), std::size_t{1});
            colours.push_back(*found.begin());
        }
        QVERIFY(seeds[0] >= platform_.tick);
        QCOMPARE(seeds[1], seeds[0] + seeds[0] % 256 + 100);
        QVERIFY(colours[0] != colours[1]);
        for (std::size_t i = 0; i < 2; ++i) QCOMPARE(colours[i], pixmond::ColourFromSeed(seeds[i]));
    }

    void buttonsAreDisabledWhileAGenerationRuns() {
        MainWindow window(platform_, {});
        window.show();
        window.SetEditText(QString(700, QLatin1Char('x')));
        auto* generate = Named<QPushButton>(window, kGenerateButton);
        auto* random = Named<QPushButton>(window, kRandomButton);
        QSignalSpy started(&window, &MainWindow::GenerationStarted);
        QSignalSpy finished(&window, &MainWindow::GenerationFinished);
        QTest::mouseClick(generate, Qt::LeftButton);
        QCOMPARE(started.count(), 1);
        QVERIFY(!generate->isEnabled());
        QVERIFY(!random->isEnabled());
        QVERIFY(Named<QLabel>(window, "标签2")->isVisible());
        // Neither a click nor a direct call starts a second one.
        QTest::mouseClick(random, Qt::LeftButton);
        window.Generate();
        window.GenerateRandomColour();
        QCOMPARE(started.count(), 1);
        QVERIFY(finished.wait(20000));
        QVERIFY(generate->isEnabled());
        QVERIFY(random->isEnabled());
        QVERIFY(Named<QLabel>(window, "标签2")->isHidden());
    }

    // Spaces only pass the window's check; the module refuses them, the report is shown, and
    // the window goes on with the text as it was.
    void moduleFailureIsShownAndTheWindowGoesOn() {
        platform_.messages.clear();
        MainWindow window(platform_, {});
        window.show();
        window.SetEditText(QStringLiteral("   "));
        QVERIFY(GenerateWith(window, kGenerateButton));
        QCOMPARE(platform_.messages.size(), std::size_t{1});
        QCOMPARE(platform_.messages[0].text,
                 QStringLiteral("异常来源：[二维码模块]\r\n方法名称：编码()()\r\n异常信息：没有编码内容"));
        QCOMPARE(platform_.messages[0].title, QStringLiteral("程序运行异常提示"));
        QVERIFY(platform_.messages[0].icon == BoxIcon::Error);
        QCOMPARE(window.EditText(), QStringLiteral("   "));
        QVERIFY(window.isVisible());
        QVERIFY(!Named<PictureBox>(window, "图片框1")->PictureBytes());
        QVERIFY(Named<QPushButton>(window, kGenerateButton)->isEnabled());
        QVERIFY(Named<QLabel>(window, "标签2")->isHidden());

        window.SetEditText(QStringLiteral(" ok "));
        QVERIFY(GenerateWith(window, kGenerateButton));
        QCOMPARE(platform_.messages.size(), std::size_t{1});
        QCOMPARE(testsupport::DecodeBmp(*Named<PictureBox>(window, "图片框1")->PictureBytes()), std::string(" ok "));
    }

    // The box is replaced only by a different text; an empty clipboard clears it.
    void clipboardTextIsTakenWhenItDiffers() {
        MainWindow window(platform_, {});
        window.show();
        auto* take = Named<QPushButton>(window, "按钮1");
        auto* edit = Named<QPlainTextEdit>(window, "编辑框1");
        QSignalSpy changed(edit, &QPlainTextEdit::textChanged);

        QGuiApplication::clipboard()->setText(QStringLiteral("剪切板\n第二行"));
        QTest::mouseClick(take, Qt::LeftButton);
        QCOMPARE(window.EditText(), QStringLiteral("剪切板\r\n第二行"));
        QCOMPARE(Named<QLabel>(window, "标签1")->text(), QStringLiteral("输入文本 - 14"));
        const auto changes = changed.count();
        QVERIFY(changes > 0);

        QTest::mouseClick(take, Qt::LeftButton);
        QCOMPARE(changed.count(), changes);

        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(take, Qt::LeftButton);
        QCOMPARE(window.EditText(), QString());
        QCOMPARE(Named<QLabel>(window, "标签1")->text(), QStringLiteral("输入文本 - 0"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
