-- One person of every kind of field the edit writes.
CREATE TABLE people (Id INTEGER, Name VARCHAR(20), Phone VARCHAR(14), Born DATE, Wakes TIME,
                     Seen TIMESTAMP, Visits INTEGER, Notes MEMO);
INSERT INTO people VALUES (1, 'Ann', '(555)123-4567', '2001-02-03', '07:15:00',
                           '2001-02-03 10:00:00', 12, 'first line');
