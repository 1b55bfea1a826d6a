#include "ui/CodeListBox.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QTextCursor>

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
    const bool atEnd = position == listing_.size();
    listing_.insert(position, piece);
    if (!atEnd || holds_ > 0) {
        render();
        return;
    }
    // Listings grow by appending; showing just the new piece spares a full relayout.
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(shownText(piece));
}

void CodeListBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) updateTabStops();
    QPlainTextEdit::changeEvent(event);
}

QString CodeListBox::shownText(QString text) {
    // The document would turn CR LF into two paragraph breaks; it only shows the text.
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void CodeListBox::render() {
    if (holds_ > 0) {
        shownStale_ = true;
        return;
    }
    shownStale_ = false;
    setPlainText(shownText(listing_));
}

CodeListBox::DisplayHold::DisplayHold(CodeListBox& box) : box_(box) { ++box_.holds_; }

CodeListBox::DisplayHold::~DisplayHold() {
    if (--box_.holds_ == 0 && box_.shownStale_) box_.render();
}

void CodeListBox::updateTabStops() {
    setTabStopDistance(8 * QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')));
}

}  // namespace ui
