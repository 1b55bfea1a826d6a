#pragma once

#include <QString>
#include <QStringList>

class WindowFixture;

// A window behaviour as one row of a table: the steps a user takes, then what must hold, each
// separated by " | ". NAME is a control or timer, PARENT/NAME one inside another.
// Steps:
//   pic, sx; counters A B C D   the chip button until it shows that chip; names CntA to CntD and gives them these values
//   type BOX [TEXT], quietly BOX [TEXT]   sets a box's text (none: clears it), quietly without the box's own handling
//   keys BOX TEXT            types TEXT on the keyboard into a box
//   click NAME, tab N        the left button at the centre of a control, or of the tab of N + 1 loops
//   tick NAME, untick NAME   clicks a check box into that state
//   show, key NAME KEY       makes the window the active one; presses a key (Return, F1, Ctrl+V, ...) in a control
//   leave NAME               takes the focus from NAME to the clock box
//   timeout NAME [N]; watch NAME   N (or 1) ticks of a timer; from here on counts the changes of a box's text
//   clipboard TEXT, cancel, complain TEXT   the clipboard's text; the print dialog is cancelled; the printer's answer
//   manual, write FILE [ITEMS]   a manual, or a file of ITEMS separated by /, each ending in CR LF, beside the program
//   restart, start; close NAME   a new window on the same files, the old one closed first, or not; closes a window
//   forget                   forgets the messages and sounds so far
// Expectations: SUBJECT = TEXT, or ^= (starts with) or $= (ends with), where SUBJECT is
//   NAME, NAME.PROPERTY      the text of a box, label or button; a property ("window" is the window); sizes WxH, points X,Y
//   values, quiet            the value boxes, the quiet flags, A first
//   tab, listing, clipboard, focus, sounds, shell (the targets handed to it), printed, print dialogs, waits, program ends
//   changes of NAME          how often a watched box changed
//   SuppressTabRecalc, ClockHz, ClockValue, DelayValue, CountB   fields of the state
//   settings                 the 18 settings of the preferences file as the window shows them, / between them
//   chip picture, picture of NAME   Mchip or Sxturbo; the picture a label or button shows, by its name
//   file FILE                the text of a file beside the program, / for each CR LF, or "missing"
// or one of the words:
//   said TEXT                the next message shown; a message no "said" expects is a difference
//   played NAMES             the sounds since the steps began, in order
//   ticked NAME, unticked NAME
void runSteps(WindowFixture& fixture, const QString& steps);
QStringList differences(WindowFixture& fixture, const QString& expectations);

// Fails the test with every difference from the expectations; runs a row and does the same.
#define QVERIFY_HOLDS(fixture, expectations)                                     \
    do {                                                                         \
        const QStringList found = differences(fixture, expectations);            \
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("; ")))); \
    } while (false)
#define QVERIFY_SCENARIO(fixture, steps, expectations) do { runSteps(fixture, steps); QVERIFY_HOLDS(fixture, expectations); } while (false)
