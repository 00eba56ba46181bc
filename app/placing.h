#pragma once
// Controls sit at fixed places and sizes, and carry their names as object names.

#include <QLabel>
#include <QPushButton>
#include <QString>

namespace pixmond::app {

template <class W>
W* Place(W* widget, const char* name, int x, int y, int width, int height) {
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(x, y, width, height);
    return widget;
}

inline QPushButton* PlaceButton(QWidget* parent, const char* name, const QString& caption, int x, int y, int width,
                                int height) {
    return Place(new QPushButton(caption, parent), name, x, y, width, height);
}

inline QLabel* PlaceLabel(QWidget* parent, const char* name, const QString& caption, int x, int y, int width,
                          int height) {
    return Place(new QLabel(caption, parent), name, x, y, width, height);
}

}  // namespace pixmond::app
