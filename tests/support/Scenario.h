#pragma once

#include <QString>
#include <QStringList>

class WindowFixture;

// A window behaviour as one row of a table: the steps a user takes, then what must hold.
// Steps and expectations are separated by " | ".
//
// Steps:
//   pic, sx                 the chip button until it shows that chip
//   counters A B C D        names CntA to CntD and these values, typed
//   type BOX [TEXT]         types TEXT over a box's text (no TEXT: clears it)
//   quietly BOX [TEXT]      the same without the box's own handling, as if left mid-edit
//   click NAME              the left button at the centre of a control
//   tab N                   a click on the tab of N + 1 loops
//   press NAME              presses BtnSave or BtnReset, which only the program itself presses
//   tick NAME, untick NAME  clicks a check box into that state
//   key NAME KEY            presses Return, Enter, Escape or F1 in a control
//   leave NAME              takes the focus from NAME to the clock box
//   watch NAME              from here on counts the changes of a box's text
//   clipboard TEXT          puts TEXT on the clipboard
//   cancel                  the print dialog will be cancelled
//   complain TEXT           the printer will answer with TEXT
//   manual                  puts a manual beside the program
//   write FILE [ITEMS]      writes a file beside the program: ITEMS separated by /, each
//                           ending in CR LF (no ITEMS: an empty file)
//   restart                 closes the window and starts a new one on the same files
//   start                   starts a new window on the same files; the old one is not closed
//   forget                  forgets the messages and sounds so far
// Expectations, SUBJECT = TEXT, or ^= (starts with) or $= (ends with):
//   NAME                    the text of a box, label or button
//   values, quiet           the four value boxes, the four quiet flags, A first
//   last values, last names what the counter boxes remember, A first
//   tab, listing, clipboard, shell (the targets handed to it), printed, print dialogs
//   changes of NAME         how often a watched box changed
//   SuppressTabRecalc, ClockHz, ClockValue, DelayValue, CountB    fields of the state
//   settings                the 18 settings of the preferences file, as the window shows them, /
//                           between them
//   chip picture            Mchip or Sxturbo
//   file FILE               the text of a file beside the program, / for each CR LF
// and the words:
//   said TEXT               the next message shown; a message no "said" expects is a difference
//   played NAMES            the sounds since the steps began, in order
//   ticked NAME, unticked NAME, shown NAME, hidden NAME
void runSteps(WindowFixture& fixture, const QString& steps);
QStringList differences(WindowFixture& fixture, const QString& expectations);

// Fails the test with every difference from the expectations.
#define QVERIFY_HOLDS(fixture, expectations)                                                  \
    do {                                                                                      \
        const QStringList found = differences(fixture, expectations);                         \
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; "))));              \
    } while (false)

// Runs a row and fails the test with every difference.
#define QVERIFY_SCENARIO(fixture, steps, expectations)                                        \
    do {                                                                                      \
        runSteps(fixture, steps);                                                             \
        QVERIFY_HOLDS(fixture, expectations);                                                 \
    } while (false)
