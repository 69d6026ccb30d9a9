#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QString>
#include <QtGlobal>

#include "WaylarkKit/Qt/PlatformStartGuard.h"

using WaylarkKit::PlatformStartGuard;

namespace {

std::vector<std::string> passedOn;

void record(QtMsgType, const QMessageLogContext&, const QString& text) { passedOn.push_back(text.toStdString()); }

}  // namespace

TEST(PlatformStartGuardTest, AFatalMessageWhileConnectingIsTheProgramsOneLineAndExitOne) {
    // What Qt says when the display refuses it, then its abort.
    EXPECT_EXIT(
        {
            const PlatformStartGuard guard("Orl Trading Waylark needs an X11 display: cannot open display :7");
            qWarning("could not connect to display :7");
            qFatal("This application failed to start because no Qt platform plugin could be initialized.");
        },
        testing::ExitedWithCode(1), "^Orl Trading Waylark needs an X11 display: cannot open display :7\n$");
}

TEST(PlatformStartGuardTest, OtherMessagesArePassedOnInOrderOnceTheConnectionIsMade) {
    const QtMessageHandler before = qInstallMessageHandler(record);
    passedOn.clear();
    {
        const PlatformStartGuard guard("unused");
        qWarning("first");
        qInfo("second");
        EXPECT_TRUE(passedOn.empty());
    }
    qWarning("after");
    qInstallMessageHandler(before);
    EXPECT_EQ(passedOn, (std::vector<std::string>{"first", "second", "after"}));
}
