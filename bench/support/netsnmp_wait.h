#pragma once

// The bare net-snmp loop the benchmarks compare the program against: wait for the session's socket
// or its next time-out, then let net-snmp read or retry. Shared so every baseline waits the same way.

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <poll.h>

inline void WaitForNetSnmp(void* session, int fd, netsnmp_large_fd_set& fds)
{
    int descriptors = 0;
    int block = 1;
    timeval wait{1, 0};
    NETSNMP_LARGE_FD_ZERO(&fds);
    snmp_sess_select_info2(session, &descriptors, &fds, &wait, &block);
    pollfd watch{fd, POLLIN, 0};
    const int ms = block ? 1000 : int(wait.tv_sec * 1000 + (wait.tv_usec + 999) / 1000);
    if (::poll(&watch, 1, ms) > 0) {
        NETSNMP_LARGE_FD_ZERO(&fds);
        NETSNMP_LARGE_FD_SET(fd, &fds);
        snmp_sess_read2(session, &fds);
    } else {
        snmp_sess_timeout(session);
    }
}
