-- The tables the data-layer tests share: customers with a case-insensitive index on Name and a
-- two-field index on City and Name, their orders as detail records, and a table of every type.
CREATE TABLE customer (CustNo INTEGER NOT NULL, Name VARCHAR(30), City VARCHAR(20),
                       Balance MONEY, Since DATE, Notes MEMO);
CREATE INDEX ByName ON customer (Name COLLATE NOCASE);
CREATE INDEX ByCityName ON customer (City, Name);
CREATE UNIQUE INDEX ByCustNo ON customer (CustNo);
INSERT INTO customer VALUES (1, 'Smith', 'Oslo', 12.5, '1999-12-31', 'pays late');
INSERT INTO customer VALUES (2, 'adams', 'Bergen', 100, '2001-02-03', NULL);
INSERT INTO customer VALUES (3, 'Baker', 'Oslo', -3.25, NULL, 'VIP');
INSERT INTO customer VALUES (4, 'carter', 'Bergen', 0, '1899-12-30', NULL);
INSERT INTO customer VALUES (5, 'Smithers', 'Tromso', 7, '2020-02-29', NULL);
INSERT INTO customer VALUES (6, NULL, 'Oslo', NULL, NULL, NULL);

CREATE TABLE orders (OrderNo INTEGER NOT NULL, CustNo INTEGER, Amount NUMERIC(10,2));
CREATE INDEX ByCustomer ON orders (CustNo);
INSERT INTO orders VALUES (100, 1, '10.50');
INSERT INTO orders VALUES (101, 3, '99.99');
INSERT INTO orders VALUES (102, 1, '0.01');
INSERT INTO orders VALUES (103, 5, '12345678.90');
INSERT INTO orders VALUES (104, 1, '-5.00');

CREATE TABLE everything (Id AUTOINC, Name VARCHAR(10), Small SMALLINT, Unsigned WORD,
                         Whole INTEGER, Yes BOOLEAN, Ratio FLOAT, Cash MONEY,
                         Exact DECIMAL TEXT(20,4), Day DATE, Moment TIME, Stamp TIMESTAMP,
                         Data BLOB, Text MEMO, Rich FMTMEMO);

-- Values that another program may have stored and that the fields cannot hold.
CREATE TABLE odd (Id INTEGER, Small SMALLINT, Whole INTEGER, Ratio FLOAT, Yes BOOLEAN);
INSERT INTO odd VALUES (1, 70000, 3.7, 'abc', 'yes');
INSERT INTO odd VALUES (2, -5, 4294967303, 2.5, 1);
INSERT INTO odd VALUES (3, 0, 0, 0, 0);

-- One value a row, stored into numeric columns of each affinity: text, blobs, fractions,
-- numbers beyond every field's range and beyond a double's exact integers.
CREATE TABLE mixed (Id INTEGER, Small SMALLINT, Unsigned WORD, Whole INTEGER, Ratio FLOAT,
                    Cash MONEY);
INSERT INTO mixed SELECT key + 1, value, value, value, value, value FROM json_each(
    '[null, "abc", "12", 12, 12.0, 12.5, " 12", "", 9007199254740993, -9007199254740993,
      9007199254740992, 1e300, 70000, 65535, -1, 2147483648, -2147483649, 0, -0.0, "1e3",
      9.5e15, -32769]');
INSERT INTO mixed VALUES (23, x'3132', x'3132', x'3132', x'3132', x'3132');

-- Columns that take the names SQLite gives the row id, holding values that are no row's id.
CREATE TABLE shadow (rowid INTEGER, Name VARCHAR(10));
INSERT INTO shadow VALUES (2, 'first');
INSERT INTO shadow VALUES (2, 'second');
INSERT INTO shadow VALUES (1, 'third');
CREATE TABLE eclipse (rowid INTEGER, oid INTEGER, _rowid_ INTEGER);
