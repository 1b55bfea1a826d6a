// The real desktop loads the sound and printing libraries from the program's folder when
// they are first used, and is silent, or says why it cannot print, when they are missing.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "ui/QtDesktop.h"
#include "ui/Resources.h"

namespace {

bool mappedIntoThisProcess(const char* library) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

}  // namespace

class TestQtDesktop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void soundLibraryLoadsWithTheFirstSound();
    void blockingWaitCompletesTheLoadFirst();
    void missingLibrariesMeanSilenceAndAComplaint();
};

void TestQtDesktop::soundLibraryLoadsWithTheFirstSound() {
    QVERIFY(!mappedIntoThisProcess("libQt6Multimedia"));
    ui::QtDesktop desktop(prefs::FileLocations::beside(QStringLiteral(KESTRUNE_PROGRAM_FOLDER)));
    QVERIFY(!mappedIntoThisProcess("libkestrune_sound"));
    desktop.playWave(ui::waveResource(QStringLiteral("pop")));
    desktop.playWave(ui::waveResource(QStringLiteral("drip")));
    // The loading waits for the event loop, so the window's start never waits for it.
    QVERIFY(!mappedIntoThisProcess("libkestrune_sound"));
    QTRY_VERIFY(mappedIntoThisProcess("libkestrune_sound"));
    QVERIFY(mappedIntoThisProcess("libQt6Multimedia"));
    QVERIFY(!mappedIntoThisProcess("libQt6PrintSupport"));
    desktop.playWave(ui::waveResource(QStringLiteral("snapshot")));
    QTest::qWait(20);
}

void TestQtDesktop::blockingWaitCompletesTheLoadFirst() {
    ui::QtDesktop desktop(prefs::FileLocations::beside(QStringLiteral(KESTRUNE_PROGRAM_FOLDER)));
    desktop.playWave(ui::waveResource(QStringLiteral("donuts")));
    // No event is served from here on, as at shut-down.
    desktop.blockingWait(0);
    QVERIFY(mappedIntoThisProcess("libkestrune_sound"));
    desktop.blockingWait(0);
}

void TestQtDesktop::missingLibrariesMeanSilenceAndAComplaint() {
    QTemporaryDir emptyFolder;
    ui::QtDesktop desktop(prefs::FileLocations::beside(emptyFolder.path()));
    desktop.playWave(ui::waveResource(QStringLiteral("elvis")));
    desktop.blockingWait(0);
    desktop.playWave(ui::waveResource(QStringLiteral("pop")));
    const QString complaint = desktop.printListing(nullptr, QStringLiteral("\treturn"));
    QVERIFY2(complaint.startsWith(QStringLiteral("Printing is not available (")), qPrintable(complaint));
    QVERIFY2(complaint.contains(emptyFolder.path()), qPrintable(complaint));
    // Asked again, it says the same and does not hang or crash.
    QCOMPARE(desktop.printListing(nullptr, QStringLiteral("\treturn")), complaint);
}

QTEST_MAIN(TestQtDesktop)
#include "tst_qtdesktop.moc"
