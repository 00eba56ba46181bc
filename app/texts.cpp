#include "texts.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include "pixmond/text.h"

namespace pixmond::app {
namespace {

QString WithLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

std::string ModuleBytes(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return pixmond::FromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString AsEditBoxText(QString text) { return WithLineFeeds(std::move(text)).replace(QStringLiteral("\n"), QStringLiteral("\r\n")); }

// The raw text, not toPlainText(): that one turns no-break spaces into spaces, which would change
// the bytes the user typed.
QString EditBoxText(const QPlainTextEdit& box) {
    QString raw = box.document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return AsEditBoxText(std::move(raw));
}

void SetEditBoxText(QPlainTextEdit& box, const QString& text) { box.setPlainText(WithLineFeeds(text)); }

}  // namespace pixmond::app
