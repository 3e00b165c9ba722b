<?php
/* A small page
   with a block comment */
namespace App;

function greet(string $name, array $opts = []): string {
    // the greeting
    $count = 0x1F + 3.5;
    $msg = "Hello, $name! You have {$opts['n']} new $items[0] and ${total}.";
    $raw = 'Single $quoted \' string
over two lines';
    if ($count <= 10 && $name != null) {
        echo "Count: $this->count\n";
    }
    # shell-style comment
    return $msg . <<<EOT
EOT;
}
?>
