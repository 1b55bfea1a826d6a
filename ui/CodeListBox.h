#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace ui {

// The listing box. It keeps the listing exactly as written (CR LF line ends, tabs), since
// copy and print hand on that very text, and shows it read-only with tab stops every eight
// characters.
class CodeListBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeListBox(QWidget* parent);

    const QString& listing() const { return listing_; }
    void setListing(const QString& text);
    void insertAt(qsizetype position, const QString& piece);

protected:
    void changeEvent(QEvent* event) override;

private:
    static QString shownText(QString text);
    void render();
    void updateTabStops();

    QString listing_;
};

}  // namespace ui
