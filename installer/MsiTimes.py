"""Sets the creation and last-saved times of a Windows Installer package's
summary to a time given in seconds since 1970, through msitools' libmsi.

    python3 installer/MsiTimes.py PACKAGE.msi SECONDS
"""

import sys

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402  (after the version is chosen)

# A FILETIME counts tenths of microseconds since 1601-01-01 (UTC).
FILETIME_1970 = 11644473600 * 10**7


def main(package, seconds):
    database = Libmsi.Database.new(package, Libmsi.DbFlags.TRANSACT, None)
    summary = Libmsi.SummaryInfo.new(database, 20)
    when = FILETIME_1970 + int(seconds) * 10**7
    for time in (Libmsi.Property.CREATED_TM, Libmsi.Property.LASTSAVED_TM):
        summary.set_filetime(time, when)
    summary.persist()
    database.commit()


if __name__ == "__main__":
    main(*sys.argv[1:])
