#include "support/Scenario.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <map>

#include "calc/NumberText.h"
#include "support/WindowFixture.h"
#include "ui/Resources.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSeparator = QStringLiteral(" | ");

// The first word, and the rest after one blank.
std::pair<QString, QString> split(const QString& text) {
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0) return {text, QString()};
    return {text.left(blank), text.mid(blank + 1)};
}

Qt::Key keyNamed(const QString& name) {
    static const std::map<QString, Qt::Key> kKeys = {{QStringLiteral("Return"), Qt::Key_Return},
                                                      {QStringLiteral("Enter"), Qt::Key_Enter},
                                                      {QStringLiteral("Escape"), Qt::Key_Escape},
                                                      {QStringLiteral("F1"), Qt::Key_F1}};
    return kKeys.at(name);
}

QString textOf(QWidget* widget) {
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    return qobject_cast<QAbstractButton*>(widget)->text();
}

// The 18 settings of the preferences file, in its order, as the window shows them.
QString settingsOf(WindowFixture& fixture) {
    const auto ticked = [&](const char* name) { return QString::number(int(fixture.control<QAbstractButton>(name)->isChecked())); };
    QStringList settings = {fixture.box("TxtClock")->text()};
    for (const char* box : {"TxtDName", "TxtCName", "TxtBName", "TxtAName", "TxtDValue", "TxtCValue", "TxtBValue", "TxtAValue"})
        settings << fixture.box(box)->text();
    settings << ticked("ChkAddCR") << (fixture.control<QRadioButton>("OptParallax")->isChecked() ? u"Parallax"_s : u"Microchip"_s)
             << QString::number(fixture.tabs()->currentIndex()) << QString::number(fixture.window().y() * 15)
             << QString::number(fixture.window().x() * 15) << ticked("ChkPopups")
             << QString::number(calc::storedChip(fixture.state().ChipType)) << ticked("ChkSound") << ticked("ChkAnimateLogo");
    return settings.join(u'/');
}

// The chip picture the button shows.
QString chipPicture(WindowFixture& fixture) {
    const auto* button = fixture.control<QPushButton>("BtnChip");
    const QImage shown = button->icon().pixmap(button->iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
    for (const QString& name : {u"Mchip"_s, u"Sxturbo"_s})
        if (ui::pictureResource(name).toImage().convertToFormat(QImage::Format_ARGB32) == shown) return name;
    return u"another"_s;
}

// What an expectation's subject stands for, as text.
QString subjectText(WindowFixture& fixture, const QString& subject) {
    const calc::CalcState& state = fixture.state();
    if (subject == QLatin1StringView("settings")) return settingsOf(fixture);
    if (subject == QLatin1StringView("chip picture")) return chipPicture(fixture);
    if (subject.startsWith(QLatin1StringView("file "))) {
        QFile file(fixture.folder.filePath(subject.mid(5)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).replace(u"\r\n"_s, u"/"_s) : u"missing"_s;
    }
    if (subject == QLatin1StringView("listing")) return fixture.listing();
    if (subject == QLatin1StringView("clipboard")) return QGuiApplication::clipboard()->text();
    if (subject == QLatin1StringView("shell")) return fixture.desktop.shellTargets.join(QLatin1Char(' '));
    if (subject == QLatin1StringView("printed")) return fixture.desktop.printedListings.join(QLatin1Char(' '));
    if (subject == QLatin1StringView("print dialogs")) return QString::number(fixture.desktop.printDialogs);
    if (subject == QLatin1StringView("tab")) return QString::number(fixture.tabs()->currentIndex());
    if (subject == QLatin1StringView("SuppressTabRecalc")) return QString::number(state.SuppressTabRecalc);
    if (subject == QLatin1StringView("ClockHz")) return calc::formatPlain(state.ClockHz);
    if (subject == QLatin1StringView("ClockValue")) return calc::formatPlain(state.ClockValue);
    if (subject == QLatin1StringView("DelayValue")) return calc::formatPlain(state.DelayValue);
    if (subject == QLatin1StringView("CountB")) return calc::formatPlain(state.CountB);
    if (subject.startsWith(QLatin1StringView("changes of "))) {
        const auto found = fixture.watched.find(subject.mid(11));
        return found == fixture.watched.end() ? QStringLiteral("not watched") : QString::number(found->second->count());
    }
    QStringList items;
    for (const ui::CounterInput& counter : fixture.window().inputState().counter) {
        if (subject == QLatin1StringView("quiet")) items << QString::number(counter.QuietValue);
        if (subject == QLatin1StringView("last values")) items << QString::number(counter.LastValue);
        if (subject == QLatin1StringView("last names")) items << counter.LastName;
    }
    if (subject == QLatin1StringView("values"))
        for (const char* box : {"TxtAValue", "TxtBValue", "TxtCValue", "TxtDValue"}) items << fixture.box(box)->text();
    if (!items.isEmpty()) return items.join(QLatin1Char(' '));
    return textOf(fixture.control(subject.toLatin1().constData()));
}

// SUBJECT RELATION VALUE, with the relation =, ^= (starts with) or $= (ends with).
bool relationHolds(const QString& actual, const QString& relation, const QString& wanted) {
    if (relation == QLatin1StringView("^=")) return actual.startsWith(wanted);
    if (relation == QLatin1StringView("$=")) return actual.endsWith(wanted);
    return actual == wanted;
}

}  // namespace

void runSteps(WindowFixture& fixture, const QString& steps) {
    fixture.desktop.clear();
    for (const QString& step : steps.split(kSeparator, Qt::SkipEmptyParts)) {
        const auto [verb, rest] = split(step);
        const auto [name, text] = split(rest);
        const QByteArray control = name.toLatin1();
        if (verb == QLatin1StringView("pic") || verb == QLatin1StringView("sx")) {
            fixture.setChip(verb == QLatin1StringView("pic"));
        } else if (verb == QLatin1StringView("counters")) {
            const QStringList values = rest.split(QLatin1Char(' '));
            fixture.setCounters({values[0], values[1], values[2], values[3]});
        } else if (verb == QLatin1StringView("type")) {
            fixture.box(control.constData())->setText(text);
        } else if (verb == QLatin1StringView("quietly")) {
            QLineEdit* box = fixture.box(control.constData());
            const QSignalBlocker unheard(box);
            box->setText(text);
        } else if (verb == QLatin1StringView("click")) {
            fixture.press(control.constData());
        } else if (verb == QLatin1StringView("press")) {
            fixture.pressHidden(control.constData());
        } else if (verb == QLatin1StringView("tab")) {
            fixture.clickTab(rest.toInt());
        } else if (verb == QLatin1StringView("tick") || verb == QLatin1StringView("untick")) {
            fixture.setTicked(control.constData(), verb == QLatin1StringView("tick"));
        } else if (verb == QLatin1StringView("key")) {
            // Keys go to the active window, where shortcuts are looked up too.
            QWidget* target = fixture.control(control.constData());
            target->window()->show();
            target->activateWindow();
            if (!QTest::qWaitForWindowActive(target->window())) qFatal("the window does not become active");
            target->setFocus();
            QTest::keyClick(target, keyNamed(text));
        } else if (verb == QLatin1StringView("leave")) {
            QWidget* window = &fixture.window();
            window->show();
            window->activateWindow();
            if (!QTest::qWaitForWindowActive(window)) qFatal("the window does not become active");
            fixture.control(control.constData())->setFocus();
            fixture.box("TxtClock")->setFocus();
        } else if (verb == QLatin1StringView("watch")) {
            fixture.watched[name] = std::make_unique<QSignalSpy>(fixture.box(control.constData()), &QLineEdit::textChanged);
        } else if (verb == QLatin1StringView("clipboard")) {
            QGuiApplication::clipboard()->setText(rest);
        } else if (verb == QLatin1StringView("cancel")) {
            fixture.desktop.acceptPrintDialog = false;
        } else if (verb == QLatin1StringView("complain")) {
            fixture.desktop.printerComplaint = rest;
        } else if (verb == QLatin1StringView("manual")) {
            QFile manual(fixture.folder.filePath(QStringLiteral("kestrune_v2_2.pdf")));
            if (!manual.open(QIODevice::WriteOnly)) qFatal("cannot make the manual");
        } else if (verb == QLatin1StringView("write")) {
            QFile file(fixture.folder.filePath(name));
            const QByteArray content = text.isEmpty() ? QByteArray() : (QString(text).replace(u'/', u"\r\n"_s) + u"\r\n"_s).toUtf8();
            if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) qFatal("cannot write %s", qPrintable(name));
        } else if (verb == QLatin1StringView("restart") || verb == QLatin1StringView("start")) {
            fixture.restart(verb == QLatin1StringView("restart"));
        } else if (verb == QLatin1StringView("forget")) {
            fixture.desktop.clear();
        } else {
            qFatal("unknown step: %s", qPrintable(step));
        }
    }
}

QStringList differences(WindowFixture& fixture, const QString& expectations) {
    QStringList found;
    QStringList messages = fixture.desktop.messageTexts();
    static const QRegularExpression kRelation(QStringLiteral(" (\\^=|\\$=|=) ?"));
    for (const QString& expectation : expectations.split(kSeparator, Qt::SkipEmptyParts)) {
        const auto [verb, rest] = split(expectation);
        if (verb == QLatin1StringView("said")) {
            const QString message = rest;
            if (messages.isEmpty() || messages.front() != message)
                found << QStringLiteral("the next message is \"%1\", not \"%2\"").arg(messages.value(0), message);
            if (!messages.isEmpty()) messages.removeFirst();
            continue;
        }
        if (verb == QLatin1StringView("played") || verb == QLatin1StringView("ticked") || verb == QLatin1StringView("unticked") ||
            verb == QLatin1StringView("shown") || verb == QLatin1StringView("hidden")) {
            const QByteArray name = rest.toLatin1();
            const bool state = verb == QLatin1StringView("shown") || verb == QLatin1StringView("hidden")
                                   ? fixture.control(name.constData())->isVisible()
                                   : verb != QLatin1StringView("played") && fixture.control<QAbstractButton>(name.constData())->isChecked();
            const QString actual = verb == QLatin1StringView("played") ? fixture.desktop.soundNames().join(QLatin1Char(' ')) : QString::number(state);
            const QString wanted = verb == QLatin1StringView("played") ? rest
                                                                       : QString::number(verb == QLatin1StringView("ticked") || verb == QLatin1StringView("shown"));
            if (actual != wanted) found << QStringLiteral("%1: \"%2\" is \"%3\"").arg(expectation, rest, actual);
            continue;
        }
        const QRegularExpressionMatch relation = kRelation.match(expectation);
        if (!relation.hasMatch()) qFatal("no relation in: %s", qPrintable(expectation));
        const QString subject = expectation.left(relation.capturedStart());
        const QString wanted = expectation.mid(relation.capturedEnd());
        const QString actual = subjectText(fixture, subject);
        if (!relationHolds(actual, relation.captured(1), wanted))
            found << QStringLiteral("%1 is \"%2\", wanted %3 \"%4\"").arg(subject, actual, relation.captured(1), wanted);
    }
    for (const QString& message : messages) found << QStringLiteral("unexpected message \"%1\"").arg(message);
    return found;
}
