#pragma once

#include "graph_window.h"

#include <clock.h>
#include <scripted_prompter.h>
#include <settings.h>
#include <test_agent.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <qt_print.h>

/// One test agent for a whole suite, fresh settings values, a scripted prompter and a temporary
/// folder per test; every graph window a test leaves open is closed afterwards.
class AppTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_agent = std::make_unique<TestAgent>();
        if (!s_agent->start(&s_error))
            s_agent.reset();
    }
    static void TearDownTestSuite() { s_agent.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_agent) << "the test agent did not start: " << s_error.toStdString();
        settings.setSNMPTimeout(300);
        settings.setSNMPRetries(1);
        settings.setSNMPVersion(2);
        settings.setPollInterval(1);
    }

    void TearDown() override
    {
        for (GraphWindow* window : GraphWindow::Windows())
            delete window;
        // Windows a test unloaded go when the event loop would have taken them.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    static inline std::unique_ptr<TestAgent> s_agent;
    static inline QString s_error;
    Settings settings;
    ManualClock clock;
    ScriptedPrompter prompter;
    QTemporaryDir folder;
};
