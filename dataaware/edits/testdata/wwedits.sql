-- Contacts edited through every single-line control: a phone number with a picture, a
-- quantity, a fruit stored by its code, a date, a time, a moment, a memo, and the shop that
-- ShopNo looks up.
CREATE TABLE contacts (Id INTEGER NOT NULL, Phone VARCHAR(13), Qty INTEGER, Fruit VARCHAR(4),
                       Born DATE, Alarm TIME, Stamp TIMESTAMP, Notes MEMO, ShopNo INTEGER);
CREATE INDEX ById ON contacts (Id);
INSERT INTO contacts VALUES (1, '(555)123-4567', 12, 'AP', '1990-04-01', '07:30:00',
                             '2024-03-05 10:30:00', 'first note', 1),
                            (2, NULL, NULL, NULL, NULL, NULL, '2024-07-01 18:00:00', NULL, 2);

CREATE TABLE shops (ShopNo INTEGER NOT NULL, Shop VARCHAR(20));
CREATE INDEX ByShopNo ON shops (ShopNo);
INSERT INTO shops VALUES (1, 'Corner Market'), (2, 'Harbour Stall');
