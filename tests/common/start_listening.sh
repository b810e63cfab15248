# Shell side of the tests' child runner (child_process): starts one of our network programs on
# port 0 and reads its "listening on" line as it is written. Source it, then
#     start_listening LOG_FILE PROGRAM ARGS...
# sets server_pid, and port (empty when the program ended or said nothing for 20 s). Its
# standard output stays open to this shell, so later lines never block it.
start_listening() {
  local log=$1 fifo line
  shift
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/listening.XXXXXX")
  mkfifo "$fifo" || return 1
  "$@" --port 0 >"$fifo" 2>"$log" &
  server_pid=$!
  exec {listening_fd}<"$fifo"
  rm -f "$fifo"
  port=""
  while IFS= read -r -t 20 line <&"$listening_fd"; do
    case $line in
      "listening on "*) port=${line##*:}; break ;;
    esac
  done
}
