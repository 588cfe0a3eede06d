#!/usr/bin/env python3
"""A small internet-radio peer for the tests, on loopback only.

Serves an MP3 file as a station (ICY headers, icy-metaint metadata with a
title that changes every two seconds), an Ogg file, a PLS playlist, a 404,
a server that accepts and never answers, a station that drops the
connection, one that pauses (so the player starves), one with metadata
blocks of the largest size and junk bytes, one that answers only after five
seconds, one that trickles a byte a second after its headers, one that
changes its sample format (with --mp3-other), one that drops its stream at
5 s and takes listeners again from 8 s, an AAC station (with --aac), an HLS
station (with --hls, a folder of segments and the media playlist ffmpeg
wrote for them) whose live media playlist slides over the segments, over
and over, in time, the other files of that folder as they are (at
/moved/fmp4.m3u8 behind a redirect), a count of the connections per path
at /count and of those still open at /open; with --update-answer it answers the update check at
/updatecheck.php with that file, read afresh for every request. Prints its
port on the first line of its output, then runs until it is killed (it ends
by itself after --lifetime seconds).
"""
import argparse
import http.server
import json
import os
import socketserver
import threading
import time

BYTES_PER_SECOND = 16000  # 128 kbit/s
BURST = 48000             # about three seconds at once, as stations do
METAINT = 8192


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def make_handler(args, counts, lock):
    mp3 = open(args.mp3, 'rb').read() if args.mp3 else b''
    ogg = open(args.ogg, 'rb').read() if args.ogg else b''
    other = open(args.mp3_other, 'rb').read() if args.mp3_other else b''
    aac = open(args.aac, 'rb').read() if args.aac else b''
    segments = hls_segments(args.hls) if args.hls else []
    hls_start = []
    open_now = {}
    first_flaky = []

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = 'HTTP/1.0'

        def log_message(self, *unused):
            pass

        def count(self):
            with lock:
                counts[self.path] = counts.get(self.path, 0) + 1

        def do_GET(self):
            if self.path in ('/count', '/open'):
                with lock:
                    body = json.dumps(counts if self.path == '/count' else open_now).encode()
                self.send_simple(200, 'application/json', body)
                return
            self.count()
            with lock:
                open_now[self.path] = open_now.get(self.path, 0) + 1
            try:
                self.serve()
            finally:
                with lock:
                    open_now[self.path] -= 1

        def serve(self):
            routes = {
                '/radio.mp3': lambda: self.station(title_every=2.0),
                '/drop.mp3': lambda: self.station(title_every=2.0, seconds=2.0),
                '/stall.mp3': lambda: self.station(title_every=2.0, pause_after=BURST, pause=9.0),
                '/huge.mp3': lambda: self.station(huge_metadata=True),
                '/radio.ogg': lambda: self.plain('application/ogg', ogg),
                '/list.pls': lambda: self.send_simple(200, 'audio/x-scpls', self.playlist()),
                '/redirect.mp3': self.redirect,
                '/silent': lambda: time.sleep(args.lifetime),
                '/late.mp3': self.late,
                '/trickle.mp3': self.trickle,
                '/format.mp3': lambda: self.station(data=mp3 + other * 1000),
                '/flaky.mp3': self.flaky,
                '/updatecheck.php': self.update_answer,
                '/radio.aac': lambda: self.station(title_every=2.0, data=aac * 1000, kind='audio/aacp'),
                '/hls/master.m3u8': self.hls_master,
                '/hls/live.m3u8': self.hls_live,
                '/hls/self.m3u8': self.hls_self,
                '/moved/fmp4.m3u8': lambda: self.redirect('/hls/fmp4.m3u8'),
            }
            if self.path.startswith('/hls/') and self.path.split('?')[0] not in routes:
                self.hls_file()
                return
            route = routes.get(self.path.split('?')[0])
            if route is None:
                self.send_simple(404, 'text/html', b'<html>Not found</html>')
                return
            try:
                route()
            except (BrokenPipeError, ConnectionResetError):
                pass

        def late(self):
            # Accepts, then answers only after five seconds (or not at all
            # when the listener has gone by then).
            time.sleep(5.0)
            self.station()

        def trickle(self):
            self.send_response(200)
            self.send_header('Content-Type', 'audio/mpeg')
            self.end_headers()
            self.wfile.flush()
            for byte in mp3[:600]:
                self.wfile.write(bytes([byte]))
                self.wfile.flush()
                time.sleep(1.0)

        def flaky(self):
            # The first listener is dropped at 5 s; until 8 s after it came,
            # others are refused, then served without end.
            with lock:
                if not first_flaky:
                    first_flaky.append(time.monotonic())
                    seconds = 5.0
                elif time.monotonic() - first_flaky[0] < 8.0:
                    seconds = -1
                else:
                    seconds = None
            if seconds == -1:
                self.send_simple(503, 'text/html', b'<html>Later</html>')
                return
            self.station(seconds=seconds)

        def hls_master(self):
            # Three variants: the one above 320 kbit/s and the poorer one
            # are passed over.
            self.send_simple(200, 'application/vnd.apple.mpegurl', (
                '#EXTM3U\n'
                '#EXT-X-STREAM-INF:BANDWIDTH=64000,CODECS="mp4a.40.2"\nmissing.m3u8\n'
                '#EXT-X-STREAM-INF:BANDWIDTH=128000,CODECS="mp4a.40.2"\nlive.m3u8\n'
                '#EXT-X-STREAM-INF:BANDWIDTH=2000000,CODECS="mp4a.40.2"\nmissing.m3u8\n').encode())

        def hls_self(self):
            self.send_simple(200, 'application/vnd.apple.mpegurl',
                             b'#EXTM3U\n#EXT-X-STREAM-INF:BANDWIDTH=128000\n/hls/self.m3u8\n')

        def hls_live(self):
            # A live window of three segments that moves on by one every
            # segment's duration, from the first request on.
            with lock:
                if not hls_start:
                    hls_start.append(time.monotonic())
                first = int((time.monotonic() - hls_start[0]) / segments[0][1])
            lines = ['#EXTM3U', '#EXT-X-VERSION:3', '#EXT-X-TARGETDURATION:%d' % (int(segments[0][1]) + 1),
                     '#EXT-X-MEDIA-SEQUENCE:%d' % first]
            for sequence in range(first, first + 3):
                name, seconds = segments[sequence % len(segments)]
                lines.append('#EXTINF:%.3f,Hls Song %d' % (seconds, sequence + 1))
                lines.append('%s?n=%d' % (name, sequence))
            self.send_simple(200, 'application/vnd.apple.mpegurl', ('\n'.join(lines) + '\n').encode())

        def hls_file(self):
            # Segments, initialisation sections and the playlists ffmpeg wrote.
            name = os.path.basename(self.path.split('?')[0])
            path = os.path.join(args.hls, name)
            if not os.path.isfile(path):
                self.send_simple(404, 'text/html', b'<html>Not found</html>')
                return
            with open(path, 'rb') as segment:
                self.send_simple(200, 'video/mp2t', segment.read())

        def update_answer(self):
            with open(args.update_answer, 'rb') as answer:
                self.send_simple(200, 'text/plain', answer.read())

        def raw_header(self, line):
            self._headers_buffer.append(line.encode('latin-1') + b'\r\n')

        def send_simple(self, code, kind, body):
            self.send_response(code)
            self.send_header('Content-Type', kind)
            self.send_header('Content-Length', str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def playlist(self):
            port = self.server.server_address[1]
            return ('[playlist]\nNumberOfEntries=2\n'
                    'File1=http://127.0.0.1:%d/radio.mp3\nTitle1=First station\n'
                    'File2=http://127.0.0.1:%d/radio.ogg\nTitle2=Second station\n' % (port, port)).encode()

        def redirect(self, target='/radio.mp3'):
            self.send_response(302)
            self.send_header('Location', target)
            self.end_headers()

        def plain(self, kind, data):
            self.send_response(200)
            self.send_header('Content-Type', kind)
            self.end_headers()
            self.paced(data, None)

        def station(self, title_every=None, seconds=None, pause_after=None, pause=0.0, huge_metadata=False, data=None,
                    kind='audio/mpeg'):
            with_metadata = self.headers.get('Icy-MetaData') == '1'
            self.send_response(200)
            self.send_header('Content-Type', kind)
            # Written as stations write them: no blank after the colon.
            self.raw_header('icy-name:  Two Spaces Radio')
            self.raw_header('icy-br:128')
            if with_metadata:
                self.raw_header('icy-metaint:%d' % METAINT)
            self.end_headers()
            start = time.monotonic()

            def metadata(sent):
                if huge_metadata:
                    text = b"StreamTitle='" + b'\xff\x01' * 2000 + b"';"
                    return bytes([255]) + text[:4080].ljust(4080, b'\0')
                song = int((time.monotonic() - start) / (title_every or 2.0)) + 1
                text = ("StreamTitle='Song %d';StreamUrl='';" % song).encode()
                blocks = (len(text) + 15) // 16
                return bytes([blocks]) + text.ljust(blocks * 16, b'\0')

            audio = data if data is not None else mp3 * 1000
            self.paced(audio, metadata if with_metadata else None, seconds, pause_after, pause)

        def paced(self, data, metadata, seconds=None, pause_after=None, pause=0.0):
            start = time.monotonic()
            sent = 0
            paused = False
            piece = METAINT if metadata else 4096
            while sent < len(data):
                elapsed = time.monotonic() - start
                if seconds is not None and elapsed > seconds:
                    return
                if pause_after is not None and not paused and sent >= pause_after:
                    paused = True
                    time.sleep(pause)
                    start = time.monotonic() - sent / BYTES_PER_SECOND + BURST / BYTES_PER_SECOND
                    continue
                allowed = BURST + (time.monotonic() - start) * BYTES_PER_SECOND
                if sent >= allowed:
                    time.sleep(0.02)
                    continue
                chunk = data[sent:sent + piece]
                self.wfile.write(chunk)
                sent += len(chunk)
                if metadata and len(chunk) == METAINT:
                    self.wfile.write(metadata(sent))
                self.wfile.flush()

    return Handler


def hls_segments(folder):
    """The segments (file name, seconds) of the media playlist in `folder`."""
    segments = []
    seconds = 0.0
    with open(os.path.join(folder, 'media.m3u8')) as playlist:
        for line in playlist:
            line = line.strip()
            if line.startswith('#EXTINF:'):
                seconds = float(line[8:].split(',')[0])
            elif line and not line.startswith('#'):
                segments.append((line, seconds))
    return segments


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--mp3')
    parser.add_argument('--ogg')
    parser.add_argument('--mp3-other')
    parser.add_argument('--update-answer')
    parser.add_argument('--aac')
    parser.add_argument('--hls')
    parser.add_argument('--lifetime', type=float, default=300.0)
    args = parser.parse_args()
    counts = {}
    lock = threading.Lock()
    server = Server(('127.0.0.1', 0), make_handler(args, counts, lock))
    print(server.server_address[1], flush=True)
    threading.Timer(args.lifetime, server.shutdown).start()
    server.serve_forever()


if __name__ == '__main__':
    main()
