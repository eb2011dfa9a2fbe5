#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into corpus/<target>/.

Each seed is a small, well-formed example of what its target reads: frames
as the detector sends them, a log of three sessions, valid data and menu
files. Run it again after a format change; findings added to the corpus by
hand are left alone.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
FRAME_SIZE = 5250
OSC_SAMPLES = 129
FRAME_HEAD = OSC_SAMPLES + 8
LOG_BLOCK = 267


def menu_block():
    m = bytearray(108)
    settings = {1: 0, 2: 20, 3: 30, 4: 22, 5: 32, 6: 24, 7: 34, 8: 26, 9: 36, 14: 1, 15: 1, 16: 1, 17: 1, 18: 1,
                19: 1, 22: 8, 23: 18, 24: 10, 25: 1, 27: 1, 29: 8, 30: 10, 31: 1, 32: 128, 34: 1, 35: 1, 36: 1,
                37: 1, 39: 2, 40: 1, 42: 1, 43: 1, 45: 1, 50: 7, 60: 0x5A, 107: 0xA5}
    for pos, value in settings.items():
        m[pos] = value
    return m


def frame(tick, day0, month0, mode=1, band=0x05, alarm=False, clock=False):
    f = bytearray(FRAME_SIZE)
    f[0] = 1 if clock else 0
    f[1:4] = tick.to_bytes(3, 'little')
    f[4], f[5], f[6], f[7] = day0, month0, mode, 1
    f[8] = 1 if alarm else 0
    f[10] = band
    f[12:14] = (0x0102).to_bytes(2, 'little')
    levels = [60, 70, 80, 50, 55, 60, 1, 2, 4] + [0] * 7 + list((2437000).to_bytes(4, 'little')) + [1, 0, 0, 0]
    f[14:38] = bytes(levels)
    f[38:70] = bytes([112, 112, 112, 96, 96, 96] + [0] * 26)
    f[70:124] = menu_block()[:54]
    f[124] = 3
    for i in range(5120):
        f[OSC_SAMPLES + i] = (128 + (60 if (i // 40) % 8 == 0 else 0) + i % 7) & 0xFF
    f[FRAME_SIZE - 1] = sum(f[:FRAME_SIZE - 1]) & 0xFF
    return f


def log_entry(month0, day0, hour, minute, second, channel, value):
    e = bytearray(64)
    e[0] = 0x6D
    e[1:4] = bytes([1, 2, 3])
    e[4:19] = bytes([90, 80, 70, 60, 50, 40, 4, 2, 1, 112, 112, 112, 96, 96, 96])
    e[20:24] = (2437000).to_bytes(4, 'little')
    e[24] = 1
    e[28], e[29], e[30], e[31], e[32] = hour, minute, second, day0, month0
    e[34:36] = value.to_bytes(2, 'little')
    e[36] = channel
    return e


def log_block(entries, session, last=False):
    b = bytearray(LOG_BLOCK)
    for i, e in enumerate(entries):
        b[i * 64:(i + 1) * 64] = e
    b[256] = 0 if last else 0x6D
    b[257:259] = session.to_bytes(2, 'little')
    b[266] = sum(b[:264]) & 0xFF
    return b


def three_session_log():
    return [
        log_block([log_entry(2, 14, 14, 2, 0, 0, 12), log_entry(2, 14, 14, 3, 30, 1, 4)], 1),
        log_block([log_entry(2, 30, 23, 59, 59, 2, 1), log_entry(3, 0, 0, 0, 5, 0, 2),
                   log_entry(3, 0, 0, 1, 0, 1, 3), log_entry(3, 0, 0, 2, 0, 2, 4)], 2),
        log_block([log_entry(3, 0, 0, 5, 0, 9, 5)], 2),
        log_block([log_entry(11, 30, 23, 59, 59, 0, 60)], 3),
        log_block([], 3, last=True),
    ]


def raw_record(seq, day, month, time, band, levels, thresholds=bytes(32)):
    r = bytearray(76)
    r[0:2] = struct.pack('<h', seq)
    r[8:12] = struct.pack('<i', time)
    r[12], r[13] = day, month
    r[16:16 + len(levels)] = levels
    r[40:72] = thresholds
    r[72] = band
    return r


def panel_state(mode, status_a, band, language, alarm, connected, zero=False):
    s = bytearray([mode, status_a, 1 if status_a == 0 else 0, 1, band, language, alarm, 0])
    s += (0x0102).to_bytes(2, 'little') + bytes([0, 0])
    s += bytes([90, 70, 50, 80, 60, 40, 1, 4, 2] + [0] * 7) + (2437000).to_bytes(4, 'little') + bytes([1, 0, 0, 0])
    s += bytes([112, 112, 112, 96, 96, 96] + [0] * 26)
    s += (3).to_bytes(4, 'little') + (14 * 14400 + 2 * 240).to_bytes(4, 'little') + (7).to_bytes(4, 'little')
    s += menu_block()
    s.append((1 if connected else 0) | (2 if zero else 0) | 4)
    return s


def write(target, name, data):
    folder = os.path.join(HERE, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(bytes(data))


def main():
    write('dataframe', 'one-frame', frame(14 * 14400, 14, 2))
    write('dataframe', 'three-frames-across-months',
          frame(86399 * 4, 30, 2, band=0x07, alarm=True) + frame(4, 0, 3, mode=5) + frame(8, 0, 3, band=0x02))

    blocks = three_session_log()
    write('logsplit', 'three-sessions', b''.join(blocks))

    levels = bytes([90, 80, 70, 60, 50, 40, 4, 2, 1, 112, 112, 112, 96, 96, 96, 0]) + (2437000).to_bytes(4, 'little') + b'\x01'
    realtime = struct.pack('>i', 0) + raw_record(0, 15, 3, 14 * 345600 + 14 * 14400, 5, levels, bytes([112] * 3 + [96] * 3) + bytes(26)) \
        + raw_record(0, 15, 3, 14 * 345600 + 14 * 14400 + 4, 7, levels)
    write('datafile', 'realtime-two-records', realtime)
    log = struct.pack('>i', 2) + b''.join(raw_record(i + 1, 31, 12, 32 * 345600 + (86399 - i) * 4, 1 << i, levels)
                                          for i in range(3))
    write('datafile', 'log-three-records', log)

    write('menufile', 'settings', menu_block())
    write('menufile', 'first-ten-positions', menu_block()[:10])

    write('panelpaint', 'search-then-monitor-alarm',
          panel_state(0, 1, 0x05, 0, 0, True, zero=True) + panel_state(1, 0, 0x07, 1, 1, True)
          + panel_state(1, 3, 0x02, 1, 1, False))

    # Exchange: each answer is a control byte (bits 0-1 the kind: data frame,
    # clock request, log block, raw bytes; bit 2 a bad checksum; bits 3-5 the
    # command queued first: 0-4 for 2, 5, 6, 7 and a key press whose key byte
    # follows, 5-7 none; bit 6 the log block marker) followed by frame bytes
    # 1-136 or log block bytes 0-265.
    def frame_answer(control, f, key=None):
        out = bytearray([control])
        if key is not None:
            out.append(key)
        return out + f[1:FRAME_HEAD]

    f = frame(14 * 14400, 14, 2)
    exchange = frame_answer(0x38, f) + frame_answer(0x00, f)
    for block in blocks:
        exchange += bytes([0x7A if block[256] == 0x6D else 0x3A]) + block[:266]
    exchange += frame_answer(0x08, f) + frame_answer(0x20, f, key=1) + frame_answer(0x39, frame(0, 0, 0, clock=True))
    exchange += frame_answer(0x10, f) + frame_answer(0x18, f) + frame_answer(0x3C, f) + frame_answer(0x38, f)
    write('exchange', 'download-settings-key-clock', exchange)


if __name__ == '__main__':
    main()
