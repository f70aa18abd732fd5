#include "app/single_instance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace tinctora::testing {
namespace {

using Claim = app::SingleInstance::Claim;

template <typename Flag> bool runEventsUntil(const Flag& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done;
}

TEST(SingleInstance, ChannelNameFollowsTheCanonicalFolderOnly) {
    const QString a = app::instanceChannelName("/home/ann/Tinctora/Pallets");
    EXPECT_EQ(a, app::instanceChannelName("/home/ann/Tinctora/Pallets"));
    EXPECT_NE(a, app::instanceChannelName("/home/ann/Tinctora 2/Pallets"));
    EXPECT_NE(a, app::instanceChannelName("/home/ann/tinctora/Pallets"));
    // Any folder name, however long or foreign, gives a short name of plain characters.
    const QString foreign = app::instanceChannelName(QString("C:/Цвета 色/") + QString(500, 'x'));
    EXPECT_EQ(foreign.size(), a.size());
    for (const QChar c : foreign)
        EXPECT_TRUE(c == '-' || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            << int(c.unicode());
}

TEST(SingleInstance, LaterClaimsOnTheFolderCallTheFirstAndOthersRunBesideIt) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString folder = root.path() + "/program/Pallets";

    auto first = std::make_unique<app::SingleInstance>(folder);
    bool called = false;
    QObject::connect(&first->channel(), &platform::InstanceChannel::called,
                     [&called] { called = true; });
    ASSERT_EQ(first->claim(), Claim::Claimed) << first->report().toStdString();
    EXPECT_TRUE(first->report().isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir()) << "the folder holds the lock, so it is made";

    // The first copy answers from its event loop, which keeps running here while the later start
    // waits for the answer, as it runs in a process of its own.
    app::SingleInstance second(root.path() + "/program/./Pallets/../Pallets");
    std::atomic<bool> secondDone = false;
    Claim secondClaim = Claim::Claimed;
    std::thread laterStart([&] {
        secondClaim = second.claim();
        secondDone = true;
    });
    EXPECT_TRUE(runEventsUntil(called)) << "the first copy was not called";
    EXPECT_TRUE(runEventsUntil(secondDone));
    laterStart.join();
    EXPECT_EQ(secondClaim, Claim::OtherRaised) << "the same folder under another name";
    EXPECT_TRUE(second.report().contains("is already running")) << second.report().toStdString();

    app::SingleInstance beside(root.path() + "/unpacked elsewhere/Pallets");
    EXPECT_EQ(beside.claim(), Claim::Claimed) << "another palette folder runs beside it";

    // Once the first copy has ended, the folder is free and nothing of the lock is left.
    first.reset();
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList());
    app::SingleInstance next(folder);
    EXPECT_EQ(next.claim(), Claim::Claimed);
}

TEST(SingleInstance, FolderThatCannotHoldTheLockLetsTheCopyRunAndSaysWhy) {
    QTemporaryDir root;
    QFile plain(root.path() + "/plain-file");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    app::SingleInstance instance(plain.fileName() + "/Pallets");
    EXPECT_EQ(instance.claim(), Claim::Unguarded);
    EXPECT_TRUE(instance.report().contains("cannot be locked")) << instance.report().toStdString();
    EXPECT_TRUE(instance.report().contains(QDir::toNativeSeparators(plain.fileName())));
}

} // namespace
} // namespace tinctora::testing
