#!/bin/sh
# Graphs the traffic of one interface of an SNMP agent through Trendwick's session-bus interface,
# with nothing but gdbus: opens a graph of the interface's incoming octets, adds its outgoing
# octets, titles the graph, puts the axis on a fixed scale, then saves the graph definition and a
# JPEG of the chart into FOLDER (interface.Trendwick, interface.jpg) and closes the graph.
#
#   graph_interface.sh AGENT COMMUNITY IFINDEX FOLDER
#
# AGENT is an IPv4 address with an optional ":port". The program is started by the bus when it is
# not running yet.
set -eu

if [ $# -ne 4 ]; then
    echo "usage: $0 AGENT COMMUNITY IFINDEX FOLDER" >&2
    exit 2
fi
agent=$1
community=$2
index=$3
folder=$(cd "$4" && pwd)

call() {
    # GraphMIB waits for the agent's first answer; a minute is plenty for any agent that answers.
    gdbus call --session --timeout 60 --dest net.brightfen.Trendwick "$@"
}
# Prints the last object path of a gdbus answer.
last_path() {
    sed -n "s/.*objectpath '\([^']*\)'.*/\1/p"
}
set_property() { # OBJECT INTERFACE NAME VALUE (a GVariant text such as "<'text'>" or "<true>")
    call --object-path "$1" --method org.freedesktop.DBus.Properties.Set \
        "net.brightfen.Trendwick.$2" "$3" "$4" >/dev/null
}

# A new window graphing ifInOctets of the interface; GraphMIB answers nothing, so the window is
# found as the newest one.
call --object-path /Application --method net.brightfen.Trendwick.Application.GraphMIB \
    "<'$agent'>" "<'$community'>" "<'ifInOctets'>" "<'$index'>" "<''>" "<''>" "<''>" >/dev/null
call --object-path /Graphs --method net.brightfen.Trendwick.Graphs.Refresh >/dev/null
graph=$(call --object-path /Graphs --method net.brightfen.Trendwick.Graphs.NewEnum | last_path)

# The outgoing octets as a second series; Reset rebuilds the chart with it.
call --object-path "$graph/TargetOIDs" --method net.brightfen.Trendwick.TargetOIDs.Add \
    "$agent" "$agent" "$community" ifOutOctets "$index" >/dev/null
call --object-path "$graph" --method net.brightfen.Trendwick.Graph.Reset >/dev/null
set_property "$graph" Graph Title "<'Interface $index of $agent'>"

# Both series share one axis (bps per second); it gets a fixed scale of 0 to 100 Mbps.
axis=$(call --object-path "$graph/YAxises" --method net.brightfen.Trendwick.YAxises.Item "<1>" | last_path)
set_property "$axis" YAxis FixedScales "<true>"
set_property "$axis" YAxis FixedMax "<100000000.0>"
set_property "$axis" YAxis FixedMin "<0.0>"
call --object-path "$graph" --method net.brightfen.Trendwick.Graph.Refresh >/dev/null

call --object-path "$graph" --method net.brightfen.Trendwick.Graph.Save "$folder/interface.Trendwick" >/dev/null
call --object-path "$graph" --method net.brightfen.Trendwick.Graph.SaveJPEG "$folder/interface.jpg" 800 600 >/dev/null
call --object-path "$graph" --method net.brightfen.Trendwick.Graph.CloseWindow >/dev/null
echo "saved $folder/interface.Trendwick and $folder/interface.jpg"
