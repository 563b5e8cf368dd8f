"""An FTP server for the tests: serves a folder on 127.0.0.1 on a free port.

Usage: ftp_test_server.py ROOT [DOWNLOAD_LIMIT]
DOWNLOAD_LIMIT, when given, caps the bytes a second sent on data connections.
Prints the port on the first line of its output, then serves until it is killed.
Users: "tester" with password "secret" (full rights) and anonymous (read only).
"""
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root = sys.argv[1]
    authorizer = DummyAuthorizer()
    authorizer.add_user("tester", "secret", root, perm="elradfmwMT")
    authorizer.add_anonymous(root)

    handler = FTPHandler
    handler.authorizer = authorizer
    handler.banner = "Test server ready."
    if len(sys.argv) > 2:
        throttled = ThrottledDTPHandler
        throttled.write_limit = int(sys.argv[2])
        handler.dtp_handler = throttled

    logging.basicConfig(level=logging.ERROR)
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.address[1], flush=True)
    server.serve_forever(handle_exit=True)


if __name__ == "__main__":
    main()
