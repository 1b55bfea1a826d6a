// The listing: FillTab picks the writer of the chosen format and depth; every writer follows
// one skeleton and differs only in the pieces the listing layer gives it.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

#include "calc/Fault.h"
#include "ui/CodeListBox.h"
#include "ui/FrmMain.h"

namespace ui {

namespace {

using Writer = void (FrmMain::*)();

}  // namespace

void FrmMain::FillTab() {
    static constexpr std::array<Writer, 4> kMicrochipWriters = {
        &FrmMain::WriteMSingle, &FrmMain::WriteMDouble, &FrmMain::WriteMTriple, &FrmMain::WriteMQuad};
    static constexpr std::array<Writer, 4> kParallaxWriters = {
        &FrmMain::WritePSingle, &FrmMain::WritePDouble, &FrmMain::WritePTriple, &FrmMain::WritePQuad};
    const int tab = TabCode->currentIndex();
    if (tab < 0 || tab >= 4) return;
    if (OptMicroChip->isChecked())
        (this->*kMicrochipWriters[tab])();
    else if (OptParallax->isChecked())
        (this->*kParallaxWriters[tab])();
}

void FrmMain::WriteMSingle() { writeListing(listing::ListingFormat::Microchip, 1); }
void FrmMain::WriteMDouble() { writeListing(listing::ListingFormat::Microchip, 2); }
void FrmMain::WriteMTriple() { writeListing(listing::ListingFormat::Microchip, 3); }
void FrmMain::WriteMQuad() { writeListing(listing::ListingFormat::Microchip, 4); }
void FrmMain::WritePSingle() { writeListing(listing::ListingFormat::Parallax, 1); }
void FrmMain::WritePDouble() { writeListing(listing::ListingFormat::Parallax, 2); }
void FrmMain::WritePTriple() { writeListing(listing::ListingFormat::Parallax, 3); }
void FrmMain::WritePQuad() { writeListing(listing::ListingFormat::Parallax, 4); }

void FrmMain::writeListing(listing::ListingFormat format, int depth) {
    for (int counter = 0; counter < depth; ++counter)
        if (rows_[counter].value->text().isEmpty()) return;
    // Two counters the assembler reads as one register would be counted down twice over: better
    // no listing than a wrong one.
    if (counterNamesClash(depth)) {
        TxtCodeList->setListing(QString());
        return;
    }

    listing::ListingInput input;
    input.chip = calc_.ChipType;
    input.timeText = TxtTime->text();
    input.clockText = TxtClock->text();
    for (int counter = 0; counter < std::ssize(rows_); ++counter)
        input.counters[counter] = {rows_[counter].name->text(), rows_[counter].value->text()};
    input.withReturn = ChkAddCR->isChecked();

    try {
        TxtCodeList->setListing(listing::headerLine(input));
        for (const QString& piece : listing::pieces(format, depth, input)) {
            // The insertion point is a 16-bit number: a box past 32767 characters stops here,
            // leaving what was written so far.
            const qint16 listEnd = calc::toInt16(static_cast<double>(TxtCodeList->listing().size()));
            TxtCodeList->insertAt(listEnd, piece);
        }
    } catch (const calc::Fault&) {
        // A writer that fails ends silently; the next rebuild starts afresh.
    }
}

}  // namespace ui
