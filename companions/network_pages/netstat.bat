# The host's current network settings for the Network Settings Wizard: every interface with
# its state and addresses, then the routes, written into netstat.res in the working folder.
# Runs with /bin/sh. The file is replaced in one step, so a reader sees a whole report.
PATH="$PATH:/usr/sbin:/sbin:/usr/bin:/bin"
report=netstat.res.$$
{
    echo "Network interfaces of this host"
    echo
    ip -brief address show 2>&1 || ip -o address show 2>&1
    echo
    echo "Routes"
    echo
    ip route show 2>&1
} >"$report"
mv -f "$report" netstat.res
