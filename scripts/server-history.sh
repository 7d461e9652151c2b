# Sourced by run.sh: copies the servers' history, the lines the tool appends
# to the log beside an open server set, to run.sh's standard output, so that
# the journal of a systemd service running run.sh shows it.

server_history_pid=

# server_history_follow SET: from now on, prints each line appended to the
# log of the set SET within a second, also after the log is renamed to
# .log.1 and begun again at its size limit, and when it is begun only later.
server_history_follow() {
    local log=$1.log
    # The tool's name for it: the set's extension, if its file name has one
    # (a leading dot starts a name), becomes .log.
    [[ ${1##*/} != ?*.* ]] || log=${1%.*}.log
    # By name, so that a log begun later or anew is read from its start;
    # from the end of one already there, so that only the new lines show;
    # never beyond run.sh, even one killed before it could stop this. A log
    # missing at first is then polled rather than watched: twice a second,
    # and its name looked up again at every look that finds it unchanged,
    # so that its rotation too shows within a second. The lines go out
    # without their CR: the journal would keep a line with a CR as binary
    # data, not as text.
    tail --follow=name --retry --lines=0 --sleep-interval=0.5 --max-unchanged-stats=1 --pid=$$ "$log" 2>/dev/null \
        > >(sed -u 's/\r$//') &
    server_history_pid=$!
}

server_history_stop() {
    [ -z "$server_history_pid" ] || kill "$server_history_pid" 2>/dev/null || true
}
