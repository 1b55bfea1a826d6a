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

    // While a hold lasts the listing changes at once but the box shows it only when the last
    // hold ends: a run of rebuilds (loading the preferences) is laid out once, not each time.
    class DisplayHold {
    public:
        explicit DisplayHold(CodeListBox& box);
        ~DisplayHold();
        DisplayHold(const DisplayHold&) = delete;
        DisplayHold& operator=(const DisplayHold&) = delete;

    private:
        CodeListBox& box_;
    };

protected:
    void changeEvent(QEvent* event) override;

private:
    static QString shownText(QString text);
    void render();
    void updateTabStops();

    QString listing_;
    int holds_ = 0;
    bool shownStale_ = false;
};

}  // namespace ui
