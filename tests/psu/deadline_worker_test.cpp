// The deadline worker that bounds libPSU.so's device and network calls: a late call
// leaves the caller, blocks further calls until it ends, and outlives the worker safely.
#include "deadline_worker.h"

#include <QTest>

#include <atomic>
#include <future>
#include <thread>

using namespace std::chrono_literals;

class TestDeadlineWorker : public QObject {
    Q_OBJECT

private slots:
    void runsTasksInTurn() {
        psu::DeadlineWorker worker;
        auto count = std::make_shared<int>(0);
        for (int i = 0; i < 100; ++i)
            QVERIFY(worker.run([count] { ++*count; }, 5s));
        QCOMPARE(*count, 100);
        QVERIFY(!worker.busy());
    }

    void lateTaskBlocksUntilItEnds() {
        psu::DeadlineWorker worker;
        auto release = std::make_shared<std::promise<void>>();
        auto gate = release->get_future().share();
        auto finished = std::make_shared<std::atomic<bool>>(false);
        QVERIFY(!worker.run(
            [gate, finished] {
                gate.wait();
                *finished = true;
            },
            20ms));
        QVERIFY(worker.busy());
        auto ran = std::make_shared<std::atomic<bool>>(false);
        QVERIFY(!worker.run([ran] { *ran = true; }, 5s)); // refused at once
        release->set_value();
        while (worker.busy())
            std::this_thread::yield();
        QVERIFY(*finished);
        QVERIFY(!*ran);
        QVERIFY(worker.run([ran] { *ran = true; }, 5s));
        QVERIFY(*ran);
    }

    // The worker may go while a late task still runs; the task ends on its own.
    void outlivedByALateTask() {
        auto release = std::make_shared<std::promise<void>>();
        auto gate = release->get_future().share();
        auto finished = std::make_shared<std::promise<void>>();
        auto done = finished->get_future();
        {
            psu::DeadlineWorker worker;
            QVERIFY(!worker.run(
                [gate, finished] {
                    gate.wait();
                    finished->set_value();
                },
                20ms));
        }
        release->set_value();
        done.wait();
    }

    void exceptionsStayInside() {
        psu::DeadlineWorker worker;
        QVERIFY(worker.run([] { throw std::runtime_error("device error"); }, 5s));
        QVERIFY(worker.run([] {}, 5s));
    }
};

QTEST_APPLESS_MAIN(TestDeadlineWorker)
#include "deadline_worker_test.moc"
