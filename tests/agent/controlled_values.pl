#!/usr/bin/perl
# Serves controlled values to snmpd through pass_persist (perl-base only):
#   pass_persist .1.3.6.1.4.1.8072.9999.9999 /usr/bin/perl controlled_values.pl VALUES_FILE
# The values file is read afresh on every request (replace it atomically); each line is
# "SUFFIX TYPE VALUE": SUFFIX relative to the base above, or a full OID with a leading ".";
# TYPE one of Counter32 Counter64 Gauge32 INTEGER TimeTicks STRING HEXSTRING OID IpAddress;
# a numeric VALUE "N/s" grows N per second (wrapping like its type), "A~B" is random in [A, B].
# "delay MS" makes every answer wait MS ms; "#" lines are ignored. GETNEXT walks in OID order.
use strict;
use warnings;

my $BASE = '.1.3.6.1.4.1.8072.9999.9999';
my %PASS_TYPE = (
    'counter32' => 'counter',   'counter64' => 'counter64', 'gauge32'   => 'gauge',
    'integer'   => 'integer',   'timeticks' => 'timeticks', 'string'    => 'string',
    'hexstring' => 'octet',     'oid'       => 'objectid',  'ipaddress' => 'ipaddress',
);
my %WRAP = ('counter32' => 4294967296, 'timeticks' => 4294967296, 'gauge32' => 4294967296);
my $values_file = $ARGV[0];

sub oid_parts { return grep { $_ ne '' } split /\./, $_[0]; }

sub compare_oids {
    my ($a, $b) = @_;
    my $n = @$a < @$b ? scalar @$a : scalar @$b;
    for (my $i = 0; $i < $n; $i++) {
        return $a->[$i] <=> $b->[$i] if $a->[$i] != $b->[$i];
    }
    return @$a <=> @$b;
}

# The delay in milliseconds and the entries sorted by OID: [ [parts], ".full.oid", type, value ].
sub read_values {
    my ($delay, @entries) = (0);
    open(my $fh, '<', $values_file) or return ($delay);
    while (my $line = <$fh>) {
        $line =~ s/\r?\n\z//;
        next if $line =~ /^\s*(#|$)/;
        ($delay = $1, next) if $line =~ /^delay (\d+)$/;
        my ($suffix, $type, $value) = $line =~ /^\s*(\.?\d+(?:\.\d+)*)\s+(\S+)(?: (.*))?$/ or next;
        next unless exists $PASS_TYPE{ $type = lc $type };
        my $full = $suffix =~ /^\./ ? $suffix : "$BASE.$suffix";
        push @entries, [ [ oid_parts($full) ], $full, $type, $value // '' ];
    }
    return ($delay, sort { compare_oids($a->[0], $b->[0]) } @entries);
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
    my ($delay, @entries) = read_values();
    select(undef, undef, undef, $delay / 1000) if $delay;
    foreach my $entry (@entries) {
        my $order = compare_oids($entry->[0], \@wanted);
        if (($command eq 'get' && $order == 0) || ($command eq 'getnext' && $order > 0)) {
            my $value = current_value($entry->[2], $entry->[3]);
            return "$entry->[1]\n$PASS_TYPE{$entry->[2]}\n$value\n";
        }
    }
    return "NONE\n";
}

$| = 1;
while (my $command = <STDIN>) {
    chomp $command;
    if ($command eq 'PING') {
        print "PONG\n";
    } elsif ($command eq 'get' || $command eq 'getnext') {
        defined(my $oid = <STDIN>) or last;
        chomp $oid;
        print answer($command, $oid);
    } elsif ($command eq 'set') {
        last unless defined(<STDIN>) && defined(<STDIN>);
        print "not-writable\n";
    } elsif ($command ne '') {
        print "NONE\n";
    }
}
