#!/usr/bin/env python3
"""Runs the test server. Its first line on standard output is {"ports":[...],"control":port};
it prints nothing else there. It stops by itself after --max-seconds, on POST /stop to the control
port, and, with --watch-stdin, when its standard input closes (its parent went away)."""

import argparse
import json
import os
import sys
import threading

from peltaserver.app import Service


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--listeners", type=int, default=1, help="statement listeners (default 1)")
    parser.add_argument("--port", type=int, action="append", default=[],
                        help="fixed port of the next listener (repeatable; default: any free port)")
    parser.add_argument("--control-port", type=int, default=0)
    parser.add_argument("--database", default=":memory:", help="SQLite file (default: in memory)")
    parser.add_argument("--sample-data", action="store_true", help="load the sample tables")
    parser.add_argument("--cluster-name", default="test-cluster")
    parser.add_argument("--version-number", default="1.0.0")
    parser.add_argument("--max-seconds", type=float, default=600.0,
                        help="lifetime limit (default 600)")
    parser.add_argument("--max-delay", type=float, default=10.0,
                        help="the longest delay a fault may ask for (default 10)")
    parser.add_argument("--log-limit", type=int, default=20000, help="request log entries kept")
    parser.add_argument("--watch-stdin", action="store_true",
                        help="stop when standard input reaches its end")
    args = parser.parse_args()
    if args.listeners < len(args.port):
        args.listeners = len(args.port)
    if not 0 < args.max_seconds <= 24 * 3600 or args.max_delay < 0:
        parser.error("--max-seconds must be in (0, 86400] and --max-delay not negative")

    service = Service(args.listeners, args.port, args.control_port, args.database,
                      args.cluster_name, args.version_number, args.max_delay, args.sample_data,
                      args.log_limit)
    service.start()
    status = service.status()
    sys.stdout.write(json.dumps({"ports": status["ports"], "control": status["control"]}) + "\n")
    sys.stdout.flush()

    if args.watch_stdin:
        def watch():
            while sys.stdin.buffer.read(4096):
                pass
            service.stop()
        threading.Thread(target=watch, daemon=True).start()

    service.stopped.wait(args.max_seconds)
    service.shutdown()
    sys.stdout.flush()
    sys.stderr.flush()
    os._exit(0)


if __name__ == "__main__":
    main()
