idx=$(wine /tmp/probe/devs.exe | grep "'Quorvanta VAudio'" | grep ' in ' | awk '{print $2}')
echo idx=$idx
(sleep 3; sox -q -n -r 48000 -c 2 -b 16 -t wav - synth 0.3 sine 1000 vol 0.8 | paplay --device=qvaudio; ) &
wine /tmp/probe/lat.exe $idx 500 &
sleep 0.2; 
sleep 2.8; echo "burst at host mono $(cat /proc/uptime)"
wait
