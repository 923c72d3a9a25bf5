#!/usr/bin/perl
# Serves controlled values to snmpd through its pass / pass_persist interface. Uses only what
# perl-base ships, so it runs on a bare Debian machine.
#
# Usage
#   pass_persist (snmpd keeps the script running, one request per exchange):
#     pass_persist .1.3.6.1.4.1.8072.9999.9999 /usr/bin/perl controlled_values.pl VALUES_FILE
#   pass (snmpd starts the script once per request and appends -g/-n/-s OID):
#     pass .1.3.6.1.4.1.8072.9999.9999 /usr/bin/perl controlled_values.pl VALUES_FILE
#   by hand, to check a values file:
#     perl controlled_values.pl VALUES_FILE -g .1.3.6.1.4.1.8072.9999.9999.1.1.0
#     perl controlled_values.pl VALUES_FILE -n .1.3.6.1.4.1.8072.9999.9999
#   Instead of the VALUES_FILE argument the environment variable TW_AGENT_VALUES may name it.
#
# Values file format (UTF-8 text, read afresh on every request, so rewrite it atomically:
# write a temporary file and rename it over the old one):
#   - one value per line: SUFFIX TYPE VALUE
#   - SUFFIX is a dotted OID relative to the base 1.3.6.1.4.1.8072.9999.9999 (e.g. "1.1.0");
#     a SUFFIX starting with "." is taken as a full OID instead
#   - TYPE is one of Counter32, Counter64, Gauge32, INTEGER, TimeTicks, STRING, HEXSTRING,
#     OID, IpAddress (case does not matter)
#   - VALUE is the rest of the line after one blank: decimal digits for the numeric types,
#     text for STRING (may contain blanks, may be empty), hexadecimal bytes for HEXSTRING
#     ("00 1a ff"), a dotted OID for OID, a dotted quad for IpAddress
#   - a numeric VALUE written "N/s" grows by N per second of wall-clock time (wrapping like the
#     type does), and "A~B" is a fresh random number between A and B on every read; the demo
#     agent uses both so that a graph moves without anyone rewriting the file
#   - empty lines and lines starting with "#" are ignored; a missing or unreadable file serves
#     nothing (every GET answers noSuchName/noSuchObject)
# Lines may come in any order; GETNEXT walks them in OID order.
use strict;
use warnings;

my $BASE = '.1.3.6.1.4.1.8072.9999.9999';

my %PASS_TYPE = (
    'counter32' => 'counter',   'counter64' => 'counter64', 'gauge32'   => 'gauge',
    'integer'   => 'integer',   'timeticks' => 'timeticks', 'string'    => 'string',
    'hexstring' => 'octet',     'oid'       => 'objectid',  'ipaddress' => 'ipaddress',
);
my %WRAP = ('counter32' => 4294967296, 'timeticks' => 4294967296, 'gauge32' => 4294967296);

my $values_file = $ENV{TW_AGENT_VALUES};
my @args        = @ARGV;
if (@args && $args[0] !~ /^-[gns]$/) {
    $values_file = shift @args;
}

sub oid_parts {
    my ($oid) = @_;
    $oid =~ s/^\.//;
    return () if $oid eq '';
    return split /\./, $oid;
}

sub compare_oids {
    my ($a, $b) = @_;
    my $n = @$a < @$b ? scalar @$a : scalar @$b;
    for (my $i = 0; $i < $n; $i++) {
        return $a->[$i] <=> $b->[$i] if $a->[$i] != $b->[$i];
    }
    return @$a <=> @$b;
}

# Returns the entries sorted by OID: [ [parts], ".full.oid", type, value ].
sub read_values {
    my @entries;
    return @entries unless defined $values_file;
    open(my $fh, '<', $values_file) or return @entries;
    while (my $line = <$fh>) {
        $line =~ s/\r?\n\z//;
        next if $line =~ /^\s*(#|$)/;
        my ($suffix, $type, $value) = $line =~ /^\s*(\S+)\s+(\S+)(?: (.*))?$/ or next;
        $type = lc $type;
        next unless exists $PASS_TYPE{$type} && $suffix =~ /^\.?\d+(\.\d+)*$/;
        my $full = $suffix =~ /^\./ ? $suffix : "$BASE.$suffix";
        push @entries, [ [ oid_parts($full) ], $full, $type, defined $value ? $value : '' ];
    }
    close $fh;
    return sort { compare_oids($a->[0], $b->[0]) } @entries;
}

sub current_value {
    my ($type, $value) = @_;
    if ($value =~ /^\s*(\d+)\/s\s*$/) {
        $value = time() * $1;
        $value %= $WRAP{$type} if exists $WRAP{$type};
    } elsif ($value =~ /^\s*(-?\d+)~(-?\d+)\s*$/) {
        $value = $1 + int(rand($2 - $1 + 1));
    }
    return $value;
}

# The three answer lines for an OID, or "NONE".
sub answer {
    my ($command, $oid) = @_;
    my @wanted = oid_parts($oid);
    foreach my $entry (read_values()) {
        my $order = compare_oids($entry->[0], \@wanted);
        if (($command eq 'get' && $order == 0) || ($command eq 'getnext' && $order > 0)) {
            my $value = current_value($entry->[2], $entry->[3]);
            return "$entry->[1]\n$PASS_TYPE{$entry->[2]}\n$value\n";
        }
    }
    return "NONE\n";
}

$| = 1;
if (@args >= 2 && $args[0] eq '-g') {
    my $reply = answer('get', $args[1]);
    print $reply unless $reply eq "NONE\n";
    exit 0;
}
if (@args >= 2 && $args[0] eq '-n') {
    my $reply = answer('getnext', $args[1]);
    print $reply unless $reply eq "NONE\n";
    exit 0;
}
if (@args && $args[0] eq '-s') {
    print "not-writable\n";
    exit 0;
}

# pass_persist: snmpd talks to us on stdin/stdout until it closes the pipe.
while (my $command = <STDIN>) {
    chomp $command;
    if ($command eq 'PING') {
        print "PONG\n";
    } elsif ($command eq 'get' || $command eq 'getnext') {
        my $oid = <STDIN>;
        last unless defined $oid;
        chomp $oid;
        print answer($command, $oid);
    } elsif ($command eq 'set') {
        my $oid   = <STDIN>;
        my $value = <STDIN>;
        last unless defined $value;
        print "not-writable\n";
    } elsif ($command eq '') {
        next;
    } else {
        print "NONE\n";
    }
}
exit 0;
