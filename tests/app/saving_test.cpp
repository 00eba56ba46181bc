// Saving: the time-to-text names and the picture written into the desktop folder of a
// temporary home.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "app_fixture.h"
#include "picture_box.h"
#include "time_text.h"

using namespace apptest;
using pixmond::app::DateTime;
using pixmond::app::MainWindow;
using pixmond::app::PictureBox;
using pixmond::app::TimeToText;

namespace {

std::vector<std::uint8_t> FileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray data = file.readAll();
    return {data.begin(), data.end()};
}

void RightClick(MainWindow& window) { QTest::mouseClick(Named<PictureBox>(window, "图片框1"), Qt::RightButton); }

}  // namespace

class SavingTest : public QObject {
    Q_OBJECT
    FakePlatform platform_;
    QTemporaryDir home_;
    QString folder_;

private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("HOME", QFile::encodeName(home_.path()));
        qunsetenv("XDG_CONFIG_HOME");
        folder_ = home_.path() + QStringLiteral("/Desktop/Pixmond保存的二维码");
    }
    void init() {
        platform_.messages.clear();
        QDir(home_.path() + QStringLiteral("/Desktop")).removeRecursively();
    }

    void timeToText_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("part");
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, int format, int part, const char* at, const char* expected) {
            QTest::newRow(name) << format << part << QString::fromUtf8(at) << QString::fromUtf8(expected);
        };
        row("file name", 0, 0, "2019-07-03 12:05:09", "2019年7月3日12时5分9秒");
        row("file name at a whole minute", 0, 0, "2019-07-03 12:05:00", "2019年7月3日12时5分");
        row("file name at a whole hour", 0, 0, "2019-07-03 12:00:00", "2019年7月3日12时");
        row("file name at midnight", 0, 0, "2019-07-03 00:00:00", "2019年7月3日");
        row("file name, seconds after midnight", 0, 0, "2019-12-31 00:00:07", "2019年12月31日0时0分7秒");
        row("date, units", 0, 1, "2019-07-03 12:05:09", "2019年07月03日");
        row("month and day, units", 0, 2, "2019-07-03 12:05:09", "07月03日");
        row("time, units", 0, 3, "2019-07-03 02:05:09", "02时05分09秒");
        row("hour and minute, units", 0, 4, "2019-07-03 02:05:09", "02时05分");
        row("minute and second, units", 0, 5, "2019-07-03 02:05:09", "05分09秒");
        row("all, dashes", 1, 0, "2019-07-03 12:05:09", "2019-07-03 12:05:09");
        row("date, dashes", 1, 1, "2019-07-03 12:05:09", "2019-07-03");
        row("month and day, dashes", 1, 2, "2019-07-03 12:05:09", "07-03");
        row("time, colons", 1, 3, "2019-07-03 12:05:09", "12:05:09");
        row("hour and minute, colons", 1, 4, "2019-07-03 12:05:09", "12:05");
        row("minute and second, colons", 1, 5, "2019-07-03 12:05:09", "05:09");
        row("all, slashes", 2, 0, "2019-07-03 12:05:09", "2019/07/03 12/05/09");
        row("date, slashes", 2, 1, "2019-07-03 12:05:09", "2019/07/03");
        row("month and day, slashes", 2, 2, "2019-07-03 12:05:09", "07/03");
        row("time, slashes", 2, 3, "2019-07-03 12:05:09", "12/05/09");
        row("hour and minute, slashes", 2, 4, "2019-07-03 12:05:09", "12/05");
        row("minute and second, slashes", 2, 5, "2019-07-03 12:05:09", "05/09");
        row("all, digits", 3, 0, "2019-07-03 12:05:09", "20190703120509");
        row("date, digits", 3, 1, "2019-07-03 12:05:09", "20190703");
        row("month and day, digits", 3, 2, "2019-07-03 12:05:09", "0703");
        row("time, digits", 3, 3, "2019-07-03 12:05:09", "120509");
        row("hour and minute, digits", 3, 4, "2019-07-03 12:05:09", "1205");
        row("minute and second, digits", 3, 5, "2019-07-03 12:05:09", "0509");
        row("year not padded", 3, 1, "0987-01-02 00:00:00", "9870102");
        row("part 7", 1, 7, "2019-07-03 12:05:09", "时间_到文本() 命令参数填写有误");
        row("part -1", 1, -1, "2019-07-03 12:05:09", "时间_到文本() 命令参数填写有误");
        row("format 4", 4, 1, "2019-07-03 12:05:09", "时间_到文本() 命令参数填写有误");
    }
    void timeToText() {
        QFETCH(int, format);
        QFETCH(int, part);
        QFETCH(QString, at);
        QFETCH(QString, expected);
        const QDateTime t = QDateTime::fromString(at, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY(t.isValid());
        const DateTime time{t.date().year(), t.date().month(), t.date().day(),
                            t.time().hour(), t.time().minute(), t.time().second()};
        QCOMPARE(QString::fromStdString(TimeToText(time, format, part)), expected);
    }

    // Saving writes the module's bytes under the time's name into a folder made on the spot
    // (the desktop folder included); a second save in the same second replaces the file.
    void savesTheGeneratedPicture() {
        MainWindow window(platform_, {});
        window.show();
        window.SetEditText(QStringLiteral("保存我"));
        QVERIFY(GenerateWith(window, kGenerateButton));
        RightClick(window);

        const QString path = folder_ + QStringLiteral("/2019年7月3日12时5分9秒.bmp");
        const auto saved = FileBytes(path);
        QCOMPARE(saved, *Named<PictureBox>(window, "图片框1")->PictureBytes());
        QCOMPARE(saved.size(), std::size_t{54 + 200 * 200 * 3});
        QCOMPARE(saved[0], std::uint8_t{'B'});
        QCOMPARE(saved[1], std::uint8_t{'M'});
        QCOMPARE(platform_.messages.size(), std::size_t{1});
        QCOMPARE(platform_.messages[0].text, QStringLiteral("输出图片到") + path + QStringLiteral("成功"));
        QCOMPARE(platform_.messages[0].title, QStringLiteral("信息："));
        QVERIFY(platform_.messages[0].icon == BoxIcon::None);

        window.SetEditText(QStringLiteral("再保存一次"));
        QVERIFY(GenerateWith(window, kRandomButton));
        RightClick(window);
        const auto replaced = FileBytes(path);
        QVERIFY(replaced != saved);
        QCOMPARE(replaced, *Named<PictureBox>(window, "图片框1")->PictureBytes());
        QCOMPARE(QDir(folder_).entryList(QDir::Files), QStringList{QStringLiteral("2019年7月3日12时5分9秒.bmp")});
        QCOMPARE(platform_.messages.size(), std::size_t{2});
    }

    // With no text nothing happens; with text but no picture made yet, the logo is not saved.
    void savesNothingButAGeneratedPicture() {
        MainWindow window(platform_, {});
        window.show();
        RightClick(window);
        QVERIFY(platform_.messages.empty());
        window.SetEditText(QStringLiteral("还没生成"));
        RightClick(window);
        QCOMPARE(platform_.messages.size(), std::size_t{1});
        QVERIFY(!platform_.messages[0].text.startsWith(QStringLiteral("输出图片到")));
        QVERIFY(!QDir(folder_).exists());
    }

    // A folder that cannot be made, or a file that cannot be written, is reported with the
    // path and why.
    void failedSaveIsReported_data() {
        QTest::addColumn<bool>("folderBlocked");
        QTest::newRow("a file where the folder goes") << true;
        QTest::newRow("a folder where the file goes") << false;
    }
    void failedSaveIsReported() {
        QFETCH(bool, folderBlocked);
        const QString path = folder_ + QStringLiteral("/2019年7月3日12时5分9秒.bmp");
        if (folderBlocked) {
            QVERIFY(QDir().mkpath(home_.path() + QStringLiteral("/Desktop")));
            QFile blocker(folder_);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkpath(path));
        }

        MainWindow window(platform_, {});
        window.show();
        window.SetEditText(QStringLiteral("存不下"));
        QVERIFY(GenerateWith(window, kGenerateButton));
        RightClick(window);
        QCOMPARE(platform_.messages.size(), std::size_t{1});
        const auto& shown = platform_.messages[0];
        QVERIFY2(shown.text.startsWith(QStringLiteral("保存图片到") + path + QStringLiteral("失败：")), qPrintable(shown.text));
        QVERIFY2(shown.text.size() > QStringLiteral("保存图片到失败：").size() + path.size(), qPrintable(shown.text));
        QVERIFY(shown.icon == BoxIcon::Error);
        QCOMPARE(QFileInfo(folder_).isFile(), folderBlocked);
        QCOMPARE(QFileInfo(path).isDir(), !folderBlocked);
    }
};

QTEST_MAIN(SavingTest)
#include "saving_test.moc"
