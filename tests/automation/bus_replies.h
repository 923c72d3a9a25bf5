#pragma once

#include <QDBusPendingReply>
#include <gtest/gtest.h>

inline const QString kService = QStringLiteral("net.brightfen.Trendwick");

/// The reply's value once it arrived; an error reply fails the test with the server's message.
template <class Reply>
auto Value(Reply reply)
{
    reply.waitForFinished();
    EXPECT_FALSE(reply.isError()) << reply.error().message().toStdString();
    return reply.value();
}

inline QDBusError::ErrorType ErrorOf(QDBusPendingReply<> reply)
{
    reply.waitForFinished();
    return reply.error().type();
}
