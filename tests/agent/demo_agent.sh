#!/bin/sh
# demo_agent.sh FOLDER [PORT=16161]: a private snmpd on 127.0.0.1 in the foreground, community
# "public", serving FOLDER/values.txt (from demo_values.txt unless present) under
# 1.3.6.1.4.1.8072.9999.9999. It becomes snmpd, so its pid is the agent's: stop it with kill.
set -eu

[ $# -ge 1 ] || { echo "usage: $0 FOLDER [PORT]" >&2; exit 2; }
folder=$1 port=${2:-16161}
here=$(cd "$(dirname "$0")" && pwd)

snmpd=$(command -v snmpd || echo /usr/sbin/snmpd)
[ -x "$snmpd" ] || { echo "snmpd not found (install the snmpd package)" >&2; exit 1; }
perl=$(command -v perl) || { echo "perl not found" >&2; exit 1; }

mkdir -p "$folder/persist"
folder=$(cd "$folder" && pwd)
[ -f "$folder/values.txt" ] || cp "$here/demo_values.txt" "$folder/values.txt"

cat > "$folder/snmpd.conf" <<CONF
rocommunity public 127.0.0.1
sysName trendwick-demo-agent
sysLocation loopback
sysContact nobody
dontLogTCPWrappersConnects yes
pass_persist .1.3.6.1.4.1.8072.9999.9999 $perl $here/controlled_values.pl $folder/values.txt
CONF

export MIBS= SNMP_PERSISTENT_DIR="$folder/persist" SNMPCONFPATH="$folder"
exec "$snmpd" -f -Lo -C -c "$folder/snmpd.conf" -p "$folder/snmpd.pid" "udp:127.0.0.1:$port"
