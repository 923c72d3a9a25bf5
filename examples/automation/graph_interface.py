#!/usr/bin/python3
"""Graphs the traffic of one interface of an SNMP agent through Trendwick's session-bus interface.

Opens a graph of the interface's incoming octets, adds its outgoing octets, titles the graph, puts
the axis on a fixed scale, then saves the graph definition and a JPEG of the chart into FOLDER
(interface.Trendwick, interface.jpg) and closes the graph. Needs python3-dbus (Debian's package,
for the system's Python).

    graph_interface.py AGENT COMMUNITY IFINDEX FOLDER

AGENT is an IPv4 address with an optional ":port". The program is started by the bus when it is
not running yet.
"""
import os
import sys

import dbus

SERVICE = "net.brightfen.Trendwick"
# GraphMIB waits for the agent's first answer; a minute is plenty for any agent that answers.
TIMEOUT = 60


def interface(bus, path, name):
    return dbus.Interface(bus.get_object(SERVICE, path), "net.brightfen.Trendwick." + name)


def set_properties(bus, path, name, **values):
    properties = dbus.Interface(bus.get_object(SERVICE, path), dbus.PROPERTIES_IFACE)
    for key, value in values.items():
        properties.Set("net.brightfen.Trendwick." + name, key, value)


def main(agent, community, index, folder):
    folder = os.path.abspath(folder)
    bus = dbus.SessionBus()

    # A new window graphing ifInOctets of the interface; GraphMIB answers nothing, so the window
    # is found as the newest one.
    application = interface(bus, "/Application", "Application")
    application.GraphMIB(agent, community, "ifInOctets", index, "", "", "", timeout=TIMEOUT)
    graphs = interface(bus, "/Graphs", "Graphs")
    graphs.Refresh()
    path = graphs.NewEnum()[-1]
    graph = interface(bus, path, "Graph")

    # The outgoing octets as a second series; Reset rebuilds the chart with it.
    targets = interface(bus, path + "/TargetOIDs", "TargetOIDs")
    targets.Add(agent, agent, community, "ifOutOctets", index)
    graph.Reset()
    set_properties(bus, path, "Graph", Title="Interface %s of %s" % (index, agent))

    # Both series share one axis (bps per second); it gets a fixed scale of 0 to 100 Mbps.
    axis = interface(bus, path + "/YAxises", "YAxises").Item(dbus.Int32(1))
    set_properties(bus, axis, "YAxis", FixedScales=True, FixedMax=100e6, FixedMin=0.0)
    graph.Refresh()

    graph.Save(os.path.join(folder, "interface.Trendwick"))
    graph.SaveJPEG(os.path.join(folder, "interface.jpg"), 800, 600)
    graph.CloseWindow()
    print("saved %s and %s" % (os.path.join(folder, "interface.Trendwick"),
                               os.path.join(folder, "interface.jpg")))


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit("usage: %s AGENT COMMUNITY IFINDEX FOLDER" % sys.argv[0])
    main(*sys.argv[1:])
