#!/usr/bin/env bash
# Writes a sample data folder for looking at the window: FOLDER/default.qtl with COUNT
# tasks in every state (default 12), and FOLDER/options.xml that turns off the splash and
# the exit question and keeps completed tasks in the list.
#   scripts/sample-data.sh FOLDER [COUNT]
set -euo pipefail
folder=$1
count=${2:-12}
mkdir -p "$folder"

names=(ubuntu-24.04-desktop-amd64.iso backup-2026-11.tar.gz report-q3.pdf photos.zip debian-12.8.0-amd64-netinst.iso
  holiday.mp4 firmware-1.4.2.bin dataset.csv.gz slides.odp music.flac setup.exe notes.txt)
sources=('\\fileserver\public\iso' 'ftp://mirror.example.org/pub' 'http://downloads.example.org/files'
  '\\nas\media' 'https://cdn.example.org/releases')
# state, percent done
states=("5 100" "1 63" "0 0" "2 41" "4 12" "1 27" "7 55" "0 0" "5 100" "2 88" "6 0" "3 9")
now=46000.5  # a date-time in days, as the list file keeps it

{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<List>'
  for ((i = 0; i < count; i++)); do
    name=${names[i % ${#names[@]}]}
    [ "$i" -ge "${#names[@]}" ] && name="$i-$name"
    source=${sources[i % ${#sources[@]}]}
    case "$source" in \\*) source="$source\\$name" ;; *) source="$source/$name" ;; esac
    read -r state percent <<<"${states[i % ${#states[@]}]}"
    size=$(((i * 7919 % 97 + 3) * 37 * 1024 * 1024 + i * 4099))
    loaded=$((size * percent / 100))
    echo "  <Task><Name>$name</Name><Source>$(sed 's/&/\&amp;/g' <<<"$source")</Source>"
    echo "    <Destination>/home/user/Downloads</Destination><Size>$size</Size><Loaded>$loaded</Loaded>"
    echo "    <Retry>$((state == 3 || state == 4 ? 3 : 0))</Retry><TypeStart>1</TypeStart><State>$state</State>"
    echo "    <TrafficPriority>$((i % 5))</TrafficPriority><TimeCreated>$now</TimeCreated><TimeDownloaded>$((i * 61000))</TimeDownloaded></Task>"
  done
  echo '</List>'
} >"$folder/default.qtl"

cat >"$folder/options.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Options>
  <Defaults><ShowSplashScreen>0</ShowSplashScreen><ListDeleteTaskAfterComplete>0</ListDeleteTaskAfterComplete><bMonitorClipboard>0</bMonitorClipboard><bVisibleInfo>0</bVisibleInfo></Defaults>
  <Confirmation><sdsExitProgram>1</sdsExitProgram></Confirmation>
  <Window><MainWindowLeft>0</MainWindowLeft><MainWindowTop>0</MainWindowTop><MainWindowWidth>1180</MainWindowWidth><MainWindowHeight>640</MainWindowHeight></Window>
</Options>
XML
