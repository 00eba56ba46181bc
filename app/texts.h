#pragma once
// Texts as the module and the counters see them: GB18030 bytes, with the line breaks of a
// multi-line edit box written as carriage return and line feed.

#include <QString>

#include <string>

class QPlainTextEdit;

namespace pixmond::app {

// The GB18030 bytes of a text (a Chinese character is two bytes).
std::string ModuleBytes(const QString& text);

// The text of a multi-line edit box, each line break as "\r\n".
QString EditBoxText(const QPlainTextEdit& box);
// Puts a text into a multi-line edit box; "\r\n", "\r" and "\n" each become one line break.
void SetEditBoxText(QPlainTextEdit& box, const QString& text);
// The text as the edit box would hand it back.
QString AsEditBoxText(QString text);

}  // namespace pixmond::app
