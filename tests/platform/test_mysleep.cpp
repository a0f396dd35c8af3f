#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "platform/MySleep.h"

TEST(MySleep, ZeroOrNegativeReturnsAtOnceWithoutRunningEvents) {
    bool ran = false;
    QObject context;
    QTimer::singleShot(0, &context, [&ran] { ran = true; });
    MySleep(0);
    MySleep(-50);
    EXPECT_FALSE(ran);
    QCoreApplication::processEvents();
    EXPECT_TRUE(ran);
}

TEST(MySleep, TenWaitsOfAHundredTakeAboutOneSecondAndRunEvents) {
    int ticks = 0;
    QTimer timer;
    timer.setInterval(20);
    QObject::connect(&timer, &QTimer::timeout, &timer, [&ticks] { ++ticks; });
    timer.start();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 10; ++i) MySleep(100);
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 1000);
    EXPECT_LT(elapsed, 1500);
    EXPECT_GE(ticks, 20);  // the timer kept ticking during the waits
}
