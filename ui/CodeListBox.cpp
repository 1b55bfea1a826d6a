#include "ui/CodeListBox.h"

#include <QEvent>
#include <QFontMetricsF>

namespace ui {

CodeListBox::CodeListBox(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    updateTabStops();
}

void CodeListBox::setListing(const QString& text) {
    listing_ = text;
    render();
}

void CodeListBox::insertAt(qsizetype position, const QString& piece) {
    listing_.insert(position, piece);
    render();
}

void CodeListBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) updateTabStops();
    QPlainTextEdit::changeEvent(event);
}

void CodeListBox::render() {
    // The document would turn CR LF into two paragraph breaks; it only shows the text.
    QString shown = listing_;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
}

void CodeListBox::updateTabStops() {
    setTabStopDistance(8 * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
}

}  // namespace ui
