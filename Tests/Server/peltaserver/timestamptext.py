"""Text that names a timestamp. The server keeps a timestamp as its milliseconds since
1970-01-01 00:00:00 UTC, and takes text for it as a database with a timestamp type does: the
instant the text names, or an error when it names none."""

import datetime
import re

from . import wire

# A date, then optionally " " or "T", the time with a fraction of any length, and "Z" or an
# offset from UTC.
_TEXT = re.compile(r"(\d{4})-(\d{2})-(\d{2})"
                   r"(?:[ T](\d{2}):(\d{2}):(\d{2})(?:\.(\d+))?(Z|([+-])(\d{2}):(\d{2}))?)?",
                   re.ASCII)
_EPOCH = datetime.datetime(1970, 1, 1)
_MILLISECOND = datetime.timedelta(milliseconds=1)


def epoch_millis(text):
    """The epoch milliseconds of the instant the text names, or None when it names none. A time
    without "Z" or offset is UTC, a date alone its midnight; the fraction is cut to milliseconds,
    as the driver cuts the fraction of a timestamp parameter."""
    m = _TEXT.fullmatch(text)
    if not m:
        return None
    year, month, day, hour, minute, second, fraction, _, sign, zone_hours, zone_minutes = m.groups()
    milliseconds = int((fraction or "")[:3].ljust(3, "0"))
    try:
        instant = datetime.datetime(int(year), int(month), int(day), int(hour or 0),
                                    int(minute or 0), int(second or 0), milliseconds * 1000)
    except ValueError:
        return None
    offset = 0
    if sign:
        if int(zone_hours) > 23 or int(zone_minutes) > 59:
            return None
        offset = (int(zone_hours) * 60 + int(zone_minutes)) * (1 if sign == "+" else -1)
    return (instant - _EPOCH) // _MILLISECOND - offset * 60000


def refusal(text, column=None):
    """The error the server answers text with that names no timestamp."""
    value = "'%s'" % text.replace("'", "''")
    where = " of column %s" % column if column is not None else ""
    return wire.ServerError(wire.INVALID_VALUE,
                            "Cannot cast value %s%s to type timestamp" % (value, where))
