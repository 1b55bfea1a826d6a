#include "support/Scenario.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>

#include "calc/NumberText.h"
#include "support/WindowFixture.h"
#include "ui/Resources.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSeparator = u" | "_s;

// The first word, and the rest after one blank.
std::pair<QString, QString> split(const QString& text) { return {text.section(u' ', 0, 0), text.section(u' ', 1)}; }

// A property as text; sizes as WxH, points as X,Y.
QString shown(const QVariant& value) {
    if (value.typeId() == QMetaType::QSize) return u"%1x%2"_s.arg(value.toSize().width()).arg(value.toSize().height());
    if (value.typeId() == QMetaType::QPoint) return u"%1,%2"_s.arg(value.toPoint().x()).arg(value.toPoint().y());
    return value.toString();
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

// Which of the pictures a label or a button shows.
QString pictureOf(QWidget* widget, const QStringList& pictures) {
    const auto image = [](const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); };
    const auto* button = qobject_cast<QAbstractButton*>(widget);
    const QImage seen = image(button ? button->icon().pixmap(button->iconSize()) : qobject_cast<QLabel*>(widget)->pixmap());
    for (const QString& name : pictures)
        if (image(ui::pictureResource(name)) == seen) return name;
    return u"another"_s;
}

QString subjectText(WindowFixture& fixture, const QString& subject) {
    const calc::CalcState& state = fixture.state();
    const RecordingDesktop& desktop = fixture.desktop;
    const auto number = [](double value) { return calc::formatPlain(value); };
    const QWidget* focus = QApplication::focusWidget();
    const std::map<QString, QString> named = {
        {u"SuppressTabRecalc"_s, number(state.SuppressTabRecalc)}, {u"ClockHz"_s, number(state.ClockHz)}, {u"CountB"_s, number(state.CountB)},
        {u"ClockValue"_s, number(state.ClockValue)}, {u"DelayValue"_s, number(state.DelayValue)}, {u"waits"_s, desktop.waits.join(u' ')},
        {u"tab"_s, number(fixture.tabs()->currentIndex())}, {u"print dialogs"_s, number(desktop.printDialogs)},
        {u"program ends"_s, number(desktop.programEnds)}, {u"listing"_s, fixture.listing()}, {u"clipboard"_s, QGuiApplication::clipboard()->text()},
        {u"focus"_s, focus ? focus->objectName() : QString()}, {u"sounds"_s, desktop.soundNames().join(u' ')},
        {u"shell"_s, desktop.shellTargets.join(u' ')}, {u"printed"_s, desktop.printedListings.join(u' ')}};
    if (named.count(subject)) return named.at(subject);
    if (subject == u"settings") return settingsOf(fixture);
    if (subject == u"chip picture") return pictureOf(fixture.control("BtnChip"), {u"Mchip"_s, u"Sxturbo"_s});
    if (subject.startsWith(u"picture of ")) return pictureOf(fixture.control(qPrintable(subject.mid(11))), QDir(u":/pictures"_s).entryList());
    if (subject.startsWith(u"file ")) {
        QFile file(fixture.folder.filePath(subject.mid(5)));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).replace(u"\r\n"_s, u"/"_s) : u"missing"_s;
    }
    if (subject.startsWith(u"changes of ")) {
        const auto found = fixture.watched.find(subject.mid(11));
        return found == fixture.watched.end() ? u"not watched"_s : QString::number(found->second->count());
    }
    QStringList items;
    if (subject == u"quiet")
        for (const ui::CounterInput& counter : fixture.window().inputState().counter) items << QString::number(counter.QuietValue);
    if (subject == u"values")
        for (const char* box : {"TxtAValue", "TxtBValue", "TxtCValue", "TxtDValue"}) items << fixture.box(box)->text();
    if (!items.isEmpty()) return items.join(u' ');
    const qsizetype dot = subject.indexOf(u'.');
    const QVariant value = fixture.control<QObject>(qPrintable(subject.left(dot)))->property(dot < 0 ? "text" : qPrintable(subject.mid(dot + 1)));
    if (!value.isValid()) qFatal("no such property: %s", qPrintable(subject));
    return shown(value);
}

}  // namespace

void runSteps(WindowFixture& fixture, const QString& steps) {
    QString verb, rest, name, text;
    QByteArray control;
    const char* named = nullptr;
    const auto chip = [&] { if ((fixture.state().ChipType == calc::Chip::Pic) != (verb == u"pic")) fixture.press("BtnChip"); };
    const auto counters = [&] {
        for (int counter = 0; counter < 4; ++counter) {
            const QChar letter(u'A' + counter);
            fixture.box(qPrintable(u"Txt%1Name"_s.arg(letter)))->setText(u"Cnt"_s + letter);
            fixture.box(qPrintable(u"Txt%1Value"_s.arg(letter)))->setText(rest.section(u' ', counter, counter));
        }
    };
    const auto ticks = [&] {
        for (int tick = 0; tick < std::max(1, text.toInt()); ++tick) QMetaObject::invokeMethod(fixture.control<QTimer>(named), "timeout");
    };
    // Keys and the focus work in the active window only.
    const auto focus = [&] {
        QWidget* target = verb == u"show" ? &fixture.window() : fixture.control(named);
        if (!WindowFixture::activate(target->window())) qFatal("the window does not become active");
        if (verb != u"show") target->setFocus();
        if (verb == u"key") QTest::keyClick(target, QKeySequence(text)[0].key(), QKeySequence(text)[0].keyboardModifiers());
        if (verb == u"leave") fixture.box("TxtClock")->setFocus();
    };
    const auto write = [&] {
        QFile file(fixture.folder.filePath(verb == u"manual" ? u"kestrune_v2_2.pdf"_s : name));
        const QByteArray content = text.isEmpty() ? QByteArray() : (QString(text).replace(u'/', u"\r\n"_s) + u"\r\n"_s).toUtf8();
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) qFatal("cannot write %s", qPrintable(rest));
    };
    const std::map<QString, std::function<void()>> actions = {
        {u"pic"_s, chip}, {u"sx"_s, chip}, {u"counters"_s, counters}, {u"show"_s, focus}, {u"key"_s, focus}, {u"leave"_s, focus},
        {u"timeout"_s, ticks}, {u"manual"_s, write}, {u"write"_s, write}, {u"type"_s, [&] { fixture.box(named)->setText(text); }},
        {u"quietly"_s, [&] { const QSignalBlocker unheard(fixture.box(named)); fixture.box(named)->setText(text); }},
        {u"keys"_s, [&] { QTest::keyClicks(fixture.box(named), text); }}, {u"click"_s, [&] { fixture.press(named); }},
        {u"tab"_s, [&] { fixture.clickTab(rest.toInt()); }},
        {u"tick"_s, [&] { fixture.setTicked(named, true); }}, {u"untick"_s, [&] { fixture.setTicked(named, false); }},
        {u"watch"_s, [&] { fixture.watched[name] = std::make_unique<QSignalSpy>(fixture.box(named), &QLineEdit::textChanged); }},
        {u"clipboard"_s, [&] { QGuiApplication::clipboard()->setText(rest); }}, {u"forget"_s, [&] { fixture.desktop.clear(); }},
        {u"cancel"_s, [&] { fixture.desktop.acceptPrintDialog = false; }}, {u"complain"_s, [&] { fixture.desktop.printerComplaint = rest; }},
        {u"restart"_s, [&] { fixture.restart(true); }}, {u"start"_s, [&] { fixture.restart(false); }},
        // A window deleted on close is gone before the next step.
        {u"close"_s, [&] { fixture.control(named)->close(); QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }}};
    fixture.desktop.clear();
    for (const QString& step : steps.split(kSeparator, Qt::SkipEmptyParts)) {
        std::tie(verb, rest) = split(step);
        std::tie(name, text) = split(rest);
        control = name.toLatin1();
        named = control.constData();
        const auto action = actions.find(verb);
        if (action == actions.end()) qFatal("unknown step: %s", qPrintable(step));
        action->second();
    }
}

QStringList differences(WindowFixture& fixture, const QString& expectations) {
    QStringList found;
    QStringList messages = fixture.desktop.messageTexts();
    static const QRegularExpression kRelation(u" (\\^=|\\$=|=) ?"_s);
    for (QString expectation : expectations.split(kSeparator, Qt::SkipEmptyParts)) {
        const auto [verb, rest] = split(expectation);
        if (verb == u"said") {
            const QString next = messages.isEmpty() ? u"none"_s : messages.takeFirst();
            if (next != rest) found << u"the next message is \"%1\", not \"%2\""_s.arg(next, rest);
            continue;
        }
        // The words are short for a subject and what it must be.
        if (verb == u"played") expectation = u"sounds = "_s + rest;
        if (verb == u"ticked" || verb == u"unticked") expectation = rest + u".checked = "_s + (verb == u"ticked" ? u"true"_s : u"false"_s);
        const QRegularExpressionMatch relation = kRelation.match(expectation);
        if (!relation.hasMatch()) qFatal("no relation in: %s", qPrintable(expectation));
        const QString subject = expectation.left(relation.capturedStart()), how = relation.captured(1);
        const QString wanted = expectation.mid(relation.capturedEnd()), actual = subjectText(fixture, subject);
        if (how == u"^=" ? !actual.startsWith(wanted) : how == u"$=" ? !actual.endsWith(wanted) : actual != wanted)
            found << u"%1 is \"%2\", wanted %3 \"%4\""_s.arg(subject, actual, how, wanted);
    }
    for (const QString& message : messages) found << u"unexpected message \"%1\""_s.arg(message);
    return found;
}
