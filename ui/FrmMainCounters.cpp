// The counter boxes: names and values are checked as they change, and the nudge buttons step
// a value by one. One routine serves all four counters.
#include <QLineEdit>
#include <QTabBar>

#include "calc/Fault.h"
#include "calc/NumberText.h"
#include "prefs/CounterChecks.h"
#include "ui/FrmMain.h"

namespace ui {

namespace {

// The desktop's own colours for a name box holding a name, so a dark theme stays readable.
void showNameGiven(QLineEdit* box) { box->setPalette(QPalette()); }

// A blank name stands out in red whatever the theme, with dark text that reads on it.
void showNameMissing(QLineEdit* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(255, 0, 0));
    palette.setColor(QPalette::Text, Qt::black);
    box->setPalette(palette);
}

const QString kNonNumericValue =
    QStringLiteral("Do not use non-numeric characters within counter values!");

constexpr int kRegisterValues = 256;

QString valueRefusal(prefs::ValueFault fault) {
    if (fault == prefs::ValueFault::NotANumber) return kNonNumericValue;
    return QStringLiteral("Counter values are whole numbers from 0 to 255 (0 means 256 passes)!");
}

}  // namespace

void FrmMain::onNameChanged(int counter) {
    QLineEdit* box = rows_[counter].name;
    CounterInput& remembered = input_.counter[counter];
    // An empty name is reported when the box is left, not while typing.
    if (box->text().isEmpty()) return;
    showNameGiven(box);
    input_.TrimmedName = prefs::trimSpaces(box->text());
    box->setText(input_.TrimmedName);
    switch (prefs::FindSpace(input_.TrimmedName)) {
        case prefs::NameHasSpace:
            exclaim(QStringLiteral("Do not use spaces within counter names!"));
            box->setText(remembered.LastName);
            break;
        case prefs::NameStartsWithDigit:
            exclaim(QStringLiteral("Do not use a number as the first character of a counter name!"));
            box->setText(remembered.LastName);
            break;
        case prefs::NameOk:
            if (const std::optional<char32_t> forbidden = prefs::forbiddenCharacter(input_.TrimmedName)) {
                exclaim(QStringLiteral("Do not use the character %1 within counter names!")
                            .arg(prefs::characterForMessage(*forbidden)));
                box->setText(remembered.LastName);
                break;
            }
            remembered.LastName = box->text();
            FillTab();
            break;
    }
}

void FrmMain::onNameFocusLost(int counter) {
    QLineEdit* box = rows_[counter].name;
    if (!box->text().isEmpty()) {
        showNameGiven(box);
        return;
    }
    showNameMissing(box);
    exclaim(QStringLiteral("You must not have any blank counter names.\r\nPlease enter a name for counter ") +
            rows_[counter].letter);
    box->setFocus();
}

void FrmMain::onValueChanged(int counter) {
    QLineEdit* box = rows_[counter].value;
    CounterInput& remembered = input_.counter[counter];
    try {
        const prefs::CounterValue read = prefs::readCounterValue(box->text());
        if (read.fault != prefs::ValueFault::None) {
            // A failed run leaves the quiet flag for the run that completes.
            exclaim(valueRefusal(read.fault));
            box->setText(QString::number(remembered.LastValue));
            return;
        }
        remembered.LastValue = static_cast<qint16>(read.value);
        if (remembered.QuietValue != 1) {
            FillTab();
            calc_.DelayValue = calc::parseNumber(TxtTime->text());
        }
        remembered.QuietValue = 0;
    } catch (const calc::Fault& fault) {
        // The delay box holds no number, or none that fits.
        if (fault.kind() != calc::FaultKind::NotANumber) {
            exclaim(QStringLiteral("Error : ") + fault.description());
            return;
        }
        exclaim(kNonNumericValue);
        box->setText(QString::number(remembered.LastValue));
    }
}

void FrmMain::setValueFromCode(int counter, const QString& text) {
    // A box whose text stays the same raises no change, and a flag set for it would swallow
    // the rebuild of the user's next edit.
    if (rows_[counter].value->text() == text) return;
    input_.counter[counter].QuietValue = 1;
    rows_[counter].value->setText(text);
}

void FrmMain::onNudge(int counter, bool up) {
    QLineEdit* box = rows_[counter].value;
    const prefs::CounterValue read = prefs::readCounterValue(box->text());
    if (read.fault != prefs::ValueFault::None) {
        exclaim(valueRefusal(read.fault));
        return;
    }
    // The loop depth must include the nudged counter; moving the tab up does not recalculate,
    // the press below does.
    if (TabCode->currentIndex() <= counter) {
        if (TabCode->currentIndex() != counter) calc_.SuppressTabRecalc = 1;
        TabCode->setCurrentIndex(counter);
    }
    // 0 in a register means 256 passes, so the steps wrap between 255 and 0.
    box->setText(QString::number((read.value + (up ? 1 : -1) + kRegisterValues) % kRegisterValues));
    onBtnCalcTimePressed();
}

}  // namespace ui
